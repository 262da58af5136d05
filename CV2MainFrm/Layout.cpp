// Minimum size, the second toolbar, compact mode and the visible entries of NodePopup.
#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/Menus.h"
#include "wingui/Dpi.h"

namespace cv2 {

int TCV2Frm::MinimumWidth() { return 4 * view_.ButtonWidth() + view_.DropDownWidth(); }

int TCV2Frm::CompactClientHeight() { return view_.CoolBarHeight() + view_.StatusBarHeight(); }

void TCV2Frm::FormDpiChanged(int oldDpi, int newDpi) {
    // The size to return to from compact mode is in the old monitor's pixels.
    savedWidth = RescaleBetweenDpi(savedWidth, oldDpi, newDpi);
    savedHeight = RescaleBetweenDpi(savedHeight, oldDpi, newDpi);
}

void TCV2Frm::FormResize() {
    // A minimised window reports a null client area; the minimums apply to the restored one.
    if (view_.GetState() == WindowState::Minimized) return;
    Bounds bounds = view_.GetBounds();
    int minimumWidth = MinimumWidth();
    if (bounds.width < minimumWidth) {
        bounds.width = minimumWidth;
        view_.SetBounds(bounds);
    }
    int compactHeight = CompactClientHeight();
    if (view_.ClientHeight() < compactHeight) view_.SetClientHeight(compactHeight);
}

void TCV2Frm::ShowToolBar2BtnClick() {
    view_.SetToolBar2Visible(view_.IsDown(ToolButton::ShowToolBar2));
    if (!view_.IsDown(ToolButton::Resize)) return;
    Bounds bounds = view_.GetBounds();
    bounds.width = MinimumWidth();
    view_.SetBounds(bounds);
    view_.SetClientHeight(CompactClientHeight());
}

void TCV2Frm::ResizeBtnClick() {
    if (view_.IsDown(ToolButton::Resize)) {
        Bounds bounds = view_.GetBounds();
        savedWidth = bounds.width;
        savedHeight = bounds.height;
        savedToolBar2 = view_.IsDown(ToolButton::ShowToolBar2);
        view_.SetDown(ToolButton::ShowToolBar2, false);
        ShowToolBar2BtnClick();
        bounds = view_.GetBounds();
        bounds.width = MinimumWidth();
        view_.SetBounds(bounds);
        view_.SetClientHeight(CompactClientHeight());
    } else {
        Bounds bounds = view_.GetBounds();
        bounds.width = savedWidth;
        bounds.height = savedHeight;
        view_.SetBounds(bounds);
        view_.SetDown(ToolButton::ShowToolBar2, savedToolBar2);
        ShowToolBar2BtnClick();
    }
}

NodeMenuVisibility TCV2Frm::NodePopupPopup() {
    bool someItemHasChildren = false;
    for (Item* item = tree_.First(); item; item = item->Next()) {
        if (item->HasChildren()) {
            someItemHasChildren = true;
            break;
        }
    }
    NodeMenuState state;
    state.treeNotEmpty = tree_.Count() > 0;
    state.someItemHasChildren = someItemHasChildren;
    state.pasteMode = view_.IsDown(ToolButton::Paste);
    const Item* selection = view_.Selection();
    state.forParent = selection && selection->HasChildren();
    state.hasRecentFiles = !recent_.Paths().empty();
    state.canUndo = CanUndo();
    state.canRedo = CanRedo();
    return NormalizeSeparators(NodeMenuEntries(state));
}

}  // namespace cv2
