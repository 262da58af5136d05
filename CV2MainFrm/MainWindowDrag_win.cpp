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

void MainWindow::TreeBeginDrag(TreeKey key, POINT point) {
    // The dragged item is the one the drop moves: it becomes the selection.
    treeControl_.Select(key);
    dragging_ = true;
    SetCapture(tree_);
    // The item's picture follows the pointer.
    dragImage_.reset(treeControl_.CreateDragImage(key));
    RECT row{};
    if (dragImage_ && treeControl_.ItemRect(key, &row, true)) {
        ImageList_BeginDrag(dragImage_.get(), 0, point.x - row.left + metrics_.imageSide + metrics_.menuImageGap,
                            point.y - row.top);
        ImageList_DragEnter(tree_, point.x, point.y);
    }
}

bool MainWindow::DragMessage(UINT msg, WPARAM wParam, POINT point) {
    switch (msg) {
        case WM_MOUSEMOVE: {
            // The picture is hidden while the rows under it scroll or are repainted.
            if (dragImage_) ImageList_DragShowNolock(FALSE);
            RECT client;
            GetClientRect(tree_, &client);
            if (point.y < metrics_.dragScrollMargin)
                SendMessageW(tree_, WM_VSCROLL, SB_LINEUP, 0);
            else if (point.y > client.bottom - metrics_.dragScrollMargin)
                SendMessageW(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
            TreeKey target = treeControl_.HitTest(point, nullptr);
            bool accepted = frm_->MainTreeDragOver(true);
            treeControl_.SetDropTarget(accepted ? target : nullptr);
            if (dragImage_) {
                UpdateWindow(tree_);
                ImageList_DragMove(point.x, point.y);
                ImageList_DragShowNolock(TRUE);
            }
            SetDragCursor(accepted, (wParam & MK_CONTROL) != 0);
            return true;
        }
        case WM_LBUTTONUP:
            // Ctrl held at the drop copies, whenever it was pressed.
            EndDrag(true, point, (wParam & MK_CONTROL) != 0);
            return true;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) EndDrag(false, point);
            // Ctrl pressed while the pointer rests: the pointer shows the copy at once.
            if (wParam == VK_CONTROL) SetDragCursor(frm_->MainTreeDragOver(true), true);
            return true;
        case WM_KEYUP:
            if (wParam != VK_CONTROL) return false;
            SetDragCursor(frm_->MainTreeDragOver(true), false);
            return true;
        case WM_RBUTTONDOWN:
        case WM_CAPTURECHANGED:
            EndDrag(false, point);
            return true;
        default:
            return false;
    }
}

void MainWindow::SetDragCursor(bool accepted, bool copy) {
    if (!accepted) {
        SetCursor(LoadCursorW(nullptr, IDC_NO));
        return;
    }
    if (copy && !copyCursor_) {
        // At the size the system draws its own pointers in.
        const int side = GetSystemMetrics(SM_CXCURSOR);
        const Picture& picture = CopyCursorPicture();
        copyCursor_.reset(side > 0 && side != kCursorSize ? CreatePictureCursor(Resampled(picture, side, side), 0, 0)
                                                          : CreatePictureCursor(picture, 0, 0));
    }
    SetCursor(copy && copyCursor_ ? copyCursor_.get() : LoadCursorW(nullptr, IDC_ARROW));
}

void MainWindow::EndDrag(bool drop, POINT point, bool copy) {
    if (!dragging_) return;
    dragging_ = false;
    if (dragImage_) {
        ImageList_DragLeave(tree_);
        ImageList_EndDrag();
        dragImage_.reset();
    }
    if (GetCapture() == tree_) ReleaseCapture();
    treeControl_.SetDropTarget(nullptr);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (!drop || !frm_->MainTreeDragOver(true)) return;
    if (copy)
        frm_->MainTreeDragCopy(point.x, point.y);
    else
        frm_->MainTreeDragDrop(point.x, point.y);
}

}  // namespace cv2
