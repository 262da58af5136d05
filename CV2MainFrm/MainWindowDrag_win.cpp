// The main window: dragging items inside the tree.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "About/AboutBox_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "CV2MainFrm/HitZones.h"
#include "wingui/ImageList_win.h"
#include "CV2MainFrm/MainWindow_win.h"
#include "CV2MainFrm/MainWindowParts_win.h"
#include "NewFrm/NewInputFrm_win.h"
#include "Option/OptionFrm_win.h"
#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "base/Error.h"

namespace cv2 {

using namespace mainwindow;

// ---------------------------------------------------------------------------------------
// Drag and drop inside the tree

void MainWindow::BeginDrag(HTREEITEM handle, POINT point) {
    if (!handle) return;
    // The dragged item is the one the drop moves: it becomes the selection.
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(handle));
    dragging_ = true;
    SetCapture(tree_);
    // The item's picture follows the pointer.
    dragImage_.reset(TreeView_CreateDragImage(tree_, handle));
    RECT row{};
    if (dragImage_ && TreeView_GetItemRect(tree_, handle, &row, TRUE)) {
        ImageList_BeginDrag(dragImage_.get(), 0, point.x - row.left + metrics_.imageSide + metrics_.menuImageGap,
                            point.y - row.top);
        ImageList_DragEnter(tree_, point.x, point.y);
    }
}

void MainWindow::EndDrag(bool drop, POINT point) {
    if (!dragging_) return;
    dragging_ = false;
    if (dragImage_) {
        ImageList_DragLeave(tree_);
        ImageList_EndDrag();
        dragImage_.reset();
    }
    if (GetCapture() == tree_) ReleaseCapture();
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    if (drop && frm_->MainTreeDragOver(true)) frm_->MainTreeDragDrop(point.x, point.y);
}

}  // namespace cv2
