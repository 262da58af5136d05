#include <gtest/gtest.h>

#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

// The fake view: outer height = client height + 34, cool bar 56 high with the second
// toolbar and 30 without, status bar 19, buttons 23 wide and the drop-down one 38.
class Layout : public ::testing::Test, public testing::MainFrmFixture {
protected:
    Layout() {
        view.down[ToolButton::ShowToolBar2] = true;
        view.bounds = Bounds{184, 107, 178, 388};
    }
    static constexpr int kMinimumWidth = 4 * 23 + 38;
};

TEST_F(Layout, MinimumsFollowTheButtonsAndBars) {
    EXPECT_EQ(frm.MinimumWidth(), kMinimumWidth);
    EXPECT_EQ(frm.CompactClientHeight(), 56 + 19);
    view.toolBar2Visible = false;
    EXPECT_EQ(frm.CompactClientHeight(), 30 + 19);
    view.buttonWidth = 30;
    EXPECT_EQ(frm.MinimumWidth(), 4 * 30 + 38);
}

TEST_F(Layout, FormResizeSnapsBackBelowTheMinimumsOnly) {
    view.bounds = Bounds{10, 20, 60, 50};
    frm.FormResize();
    EXPECT_EQ(view.bounds, (Bounds{10, 20, kMinimumWidth, 56 + 19 + 34}));

    view.bounds = Bounds{10, 20, 500, 900};  // no maximum
    frm.FormResize();
    EXPECT_EQ(view.bounds, (Bounds{10, 20, 500, 900}));

    view.state = WindowState::Minimized;
    view.bounds = Bounds{10, 20, 0, 0};
    frm.FormResize();
    EXPECT_EQ(view.bounds, (Bounds{10, 20, 0, 0}));
}

TEST_F(Layout, CompactModeShrinksToTheFirstToolbarAndRestoresSizeAndSecondToolbar) {
    view.down[ToolButton::Resize] = true;
    frm.ResizeBtnClick();
    EXPECT_EQ(frm.SavedWidth(), 178);
    EXPECT_EQ(frm.SavedHeight(), 388);
    EXPECT_TRUE(frm.SavedToolBar2());
    EXPECT_FALSE(view.down[ToolButton::ShowToolBar2]);
    EXPECT_FALSE(view.toolBar2Visible);
    EXPECT_EQ(view.bounds, (Bounds{184, 107, kMinimumWidth, 30 + 19 + 34}));

    // The second toolbar shown in compact mode: one row more, still the minimum width.
    view.down[ToolButton::ShowToolBar2] = true;
    frm.ShowToolBar2BtnClick();
    EXPECT_TRUE(view.toolBar2Visible);
    EXPECT_EQ(view.bounds, (Bounds{184, 107, kMinimumWidth, 56 + 19 + 34}));
    view.down[ToolButton::ShowToolBar2] = false;
    frm.ShowToolBar2BtnClick();
    EXPECT_EQ(view.bounds.height, 30 + 19 + 34);

    view.down[ToolButton::Resize] = false;
    frm.ResizeBtnClick();
    EXPECT_EQ(view.bounds, (Bounds{184, 107, 178, 388}));
    EXPECT_TRUE(view.down[ToolButton::ShowToolBar2]);
    EXPECT_TRUE(view.toolBar2Visible);
}

TEST_F(Layout, LeavingCompactModeRestoresTheToolbarStateOfTheMomentOfEntering) {
    view.down[ToolButton::ShowToolBar2] = false;
    frm.ShowToolBar2BtnClick();
    EXPECT_FALSE(view.toolBar2Visible);
    EXPECT_EQ(view.bounds, (Bounds{184, 107, 178, 388}));  // not compact: size untouched

    view.down[ToolButton::Resize] = true;
    frm.ResizeBtnClick();
    view.down[ToolButton::ShowToolBar2] = true;  // shown while compact
    frm.ShowToolBar2BtnClick();
    view.bounds.height = 600;  // and enlarged by hand
    view.down[ToolButton::Resize] = false;
    frm.ResizeBtnClick();
    EXPECT_FALSE(view.down[ToolButton::ShowToolBar2]);
    EXPECT_FALSE(view.toolBar2Visible);
    EXPECT_EQ(view.bounds, (Bounds{184, 107, 178, 388}));
}

}  // namespace
}  // namespace cv2
