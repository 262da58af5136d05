// The main window at other resolutions: the sizes that matter to the eye and the hand,
// measured through the controls' own messages.
//
// At whatever resolution the prefix has, a WM_DPICHANGED to one and a half times it must
// give one and a half times every size. With CV2_DPI_REPORT naming a file, the sizes at
// the prefix's own resolution are written there too, so that tests/e2e/dpi_e2e.sh can
// compare a run at LogPixels 96 with one at 144.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "wingui/Images.h"
#include "CV2MainFrm/MainWindow_win.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

// The program declares per-monitor awareness in its manifest; this test program has none,
// so it asks at start, before any window exists. Systems before Windows 10 1703 keep the
// system resolution.
const bool kPerMonitorAware = [] {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    return set && set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // PER_MONITOR_AWARE_V2
}();

using testing::Pump;

struct Sizes {
    int buttonWidth;  // TB_GETBUTTONSIZE
    int buttonHeight;
    int itemWidth;  // TB_GETITEMRECT of the first plain button
    int itemHeight;
    int treeItemHeight;  // TVM_GETITEMHEIGHT
    int treeIndent;
    int imageSide;  // ImageList_GetIconSize
    int statusHeight;
    int coolBarHeight;
    int minimumWidth;  // 4 plain buttons and the drop-down one
    int fontHeight;    // the tree's font, character height
};

Sizes Measure(MainWindow& window) {
    Sizes s{};
    DWORD size = static_cast<DWORD>(SendMessageW(window.ToolBar2(), TB_GETBUTTONSIZE, 0, 0));
    s.buttonWidth = LOWORD(size);
    s.buttonHeight = HIWORD(size);
    RECT r{};
    SendMessageW(window.ToolBar2(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    s.itemWidth = r.right - r.left;
    s.itemHeight = r.bottom - r.top;
    s.treeItemHeight = static_cast<int>(SendMessageW(window.TreeControl(), TVM_GETITEMHEIGHT, 0, 0));
    s.treeIndent = static_cast<int>(SendMessageW(window.TreeControl(), TVM_GETINDENT, 0, 0));
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(window.TreeControl(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    s.imageSide = cx == cy ? cx : -1;
    s.statusHeight = window.StatusBarHeight();
    s.coolBarHeight = window.CoolBarHeight();
    s.minimumWidth = 4 * window.ButtonWidth() + window.DropDownWidth();
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.TreeControl(), WM_GETFONT, 0, 0)), sizeof font, &font);
    s.fontHeight = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return s;
}

std::string Describe(const Sizes& s) {
    char text[400];
    std::snprintf(text, sizeof text,
                  "button %dx%d item %dx%d treeItem %d indent %d image %d status %d coolBar %d minWidth %d font %d",
                  s.buttonWidth, s.buttonHeight, s.itemWidth, s.itemHeight, s.treeItemHeight, s.treeIndent, s.imageSide,
                  s.statusHeight, s.coolBarHeight, s.minimumWidth, s.fontHeight);
    return text;
}

// Each size at `to` is the one at `from` scaled, give or take the pixel that rounding and
// the controls' own borders leave.
void ExpectScaled(const Sizes& at, const Sizes& large, int from, int to) {
    auto expect = [&](const char* what, int a, int b) {
        EXPECT_NEAR(b, RescaleBetweenDpi(a, from, to), 1) << what << " at " << from << ": " << a;
    };
    expect("button width", at.buttonWidth, large.buttonWidth);
    expect("button height", at.buttonHeight, large.buttonHeight);
    expect("item width", at.itemWidth, large.itemWidth);
    expect("item height", at.itemHeight, large.itemHeight);
    expect("tree item height", at.treeItemHeight, large.treeItemHeight);
    expect("tree indent", at.treeIndent, large.treeIndent);
    expect("image side", at.imageSide, large.imageSide);
    expect("status bar height", at.statusHeight, large.statusHeight);
    expect("font height", at.fontHeight, large.fontHeight);
    // Two bands and their borders: the roundings add up.
    EXPECT_NEAR(large.coolBarHeight, RescaleBetweenDpi(at.coolBarHeight, from, to), 3);
    // Five buttons wide; the drop-down arrow's own width is the toolbar's (Wine keeps it
    // at 11 pixels at every resolution), so this grows by a little less than the rest.
    EXPECT_GE(large.minimumWidth, 5 * large.buttonWidth);
    EXPECT_GT(large.minimumWidth, at.minimumWidth);
}

class MainWindowDpi : public testing::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        if (HasFatalFailure()) return;
        Pump();
    }

    // What Windows sends when the window reaches a monitor of resolution `dpi`.
    void MoveToDpi(int dpi, RECT suggested) {
        SendMessageW(window.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Pump();
    }

    // Small enough that one and a half times it still fits the test screen: Windows keeps
    // a window within the screen's size.
    void ShrinkToFit() {
        RECT r = Bounds();
        SetWindowPos(window.Hwnd(), nullptr, 0, 0, r.right - r.left, ScaleForDpi(260, window.Dpi()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    RECT Bounds() {
        RECT r{};
        GetWindowRect(window.Hwnd(), &r);
        return r;
    }
};

TEST_F(MainWindowDpi, TheWindowIsLaidOutForItsMonitorsResolution) {
    const int dpi = DpiOfWindow(window.Hwnd());
    EXPECT_EQ(window.Dpi(), dpi);
    Sizes s = Measure(window);
    std::printf("at %d dpi: %s\n", dpi, Describe(s).c_str());
    EXPECT_EQ(s.imageSide, ScaleForDpi(kImageSize, dpi));
    EXPECT_EQ(s.buttonHeight, ScaleForDpi(24, dpi));
    EXPECT_EQ(s.treeIndent, ScaleForDpi(21, dpi));
    EXPECT_EQ(s.fontHeight, ScaleForDpi(12, dpi));
    EXPECT_NEAR(s.statusHeight, ScaleForDpi(19, dpi), 1);
    // The designed outer size; the settings file (empty here) would override it.
    RECT r = Bounds();
    EXPECT_EQ(r.right - r.left, std::max(ScaleForDpi(178, dpi), s.minimumWidth));
    EXPECT_EQ(r.bottom - r.top, ScaleForDpi(388, dpi));

    if (const char* report = std::getenv("CV2_DPI_REPORT")) {
        if (FILE* f = std::fopen(report, "w")) {
            std::fprintf(f, "dpi %d\n%s\n", dpi, Describe(s).c_str());
            std::fclose(f);
        }
    }
}

TEST_F(MainWindowDpi, MovingToAMonitorOfOneAndAHalfTimesTheResolutionScalesEverything) {
    const int dpi = window.Dpi();
    const int large = dpi * 3 / 2;
    ShrinkToFit();
    Sizes before = Measure(window);
    RECT r = Bounds();
    RECT suggested{r.left, r.top, r.left + RescaleBetweenDpi(r.right - r.left, dpi, large),
                   r.top + RescaleBetweenDpi(r.bottom - r.top, dpi, large)};
    MoveToDpi(large, suggested);
    EXPECT_EQ(window.Dpi(), large);
    Sizes after = Measure(window);
    SCOPED_TRACE(Describe(before) + " / " + Describe(after));
    ExpectScaled(before, after, dpi, large);
    // The suggested place is taken as it is.
    RECT now = Bounds();
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
    EXPECT_EQ(now.bottom - now.top, suggested.bottom - suggested.top);
    // The tree fills what the bars leave.
    RECT client{}, tree{};
    GetClientRect(window.Hwnd(), &client);
    GetWindowRect(window.TreeControl(), &tree);
    EXPECT_EQ(tree.bottom - tree.top, client.bottom - after.coolBarHeight - after.statusHeight);

    // And back: the sizes of the start again.
    MoveToDpi(dpi, r);
    Sizes back = Measure(window);
    EXPECT_EQ(Describe(back), Describe(before));
}

TEST_F(MainWindowDpi, ASuggestedSizeBelowTheMinimumIsWidenedToTheNewButtons) {
    const int dpi = window.Dpi();
    const int large = dpi * 2;
    RECT r = Bounds();
    // A monitor change that keeps the old pixel size: too narrow for the larger buttons.
    MoveToDpi(large, r);
    Sizes s = Measure(window);
    RECT now = Bounds();
    EXPECT_GE(now.right - now.left, s.minimumWidth);
    EXPECT_EQ(now.right - now.left, std::max(static_cast<int>(r.right - r.left), s.minimumWidth));
}

TEST_F(MainWindowDpi, CompactModeRefitsTheBarsAtTheNewResolution) {
    const int dpi = window.Dpi();
    const int large = dpi * 3 / 2;
    ShrinkToFit();
    RECT designed = Bounds();
    window.SetDown(ToolButton::Resize, true);
    frm().ResizeBtnClick();
    Pump();
    RECT compact = Bounds();
    RECT suggested{compact.left, compact.top,
                   compact.left + RescaleBetweenDpi(compact.right - compact.left, dpi, large),
                   compact.top + RescaleBetweenDpi(compact.bottom - compact.top, dpi, large)};
    MoveToDpi(large, suggested);
    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.bottom, window.CoolBarHeight() + window.StatusBarHeight());
    RECT now = Bounds();
    EXPECT_EQ(now.right - now.left, 4 * window.ButtonWidth() + window.DropDownWidth());

    // Leaving compact mode returns to the size it was entered from, at the new scale.
    window.SetDown(ToolButton::Resize, false);
    frm().ResizeBtnClick();
    Pump();
    now = Bounds();
    EXPECT_NEAR(now.right - now.left, RescaleBetweenDpi(designed.right - designed.left, dpi, large), 1);
    EXPECT_NEAR(now.bottom - now.top, RescaleBetweenDpi(designed.bottom - designed.top, dpi, large), 1);
}

TEST_F(MainWindowDpi, MenuPicturesAreMeasuredAtTheImageSize) {
    const int large = window.Dpi() * 2;
    RECT r = Bounds();
    MoveToDpi(large, r);
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemData = 1;
    ASSERT_TRUE(SendMessageW(window.Hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)));
    EXPECT_EQ(static_cast<int>(mi.itemHeight), ScaleForDpi(kImageSize, large));
    EXPECT_GT(static_cast<int>(mi.itemWidth), ScaleForDpi(kImageSize, large));
}

}  // namespace
}  // namespace cv2
