// The main window: the tree control mirrors the model, and the view's tree calls.
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
// Mirroring the model in the tree control

void MainWindow::InsertTreeItem(Item& item) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = item.Parent() ? TreeItemOf(item.Parent()) : TVI_ROOT;
    // An item that comes after all its siblings the control holds goes in as TVI_LAST.
    // Loads and moved subtrees insert in order, so only an item added in front of a
    // sibling already shown names its previous sibling.
    Item* next = item.NextSibling();
    if (!next || !TreeItemOf(next)) {
        ins.hInsertAfter = TVI_LAST;
    } else {
        HTREEITEM prev = item.PrevSibling() ? TreeItemOf(item.PrevSibling()) : nullptr;
        ins.hInsertAfter = prev ? prev : TVI_FIRST;
    }
    std::wstring text = FromCp932(item.Text());
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = text.data();
    ins.item.iImage = item.ImageIndex();
    ins.item.iSelectedImage = item.SelectedIndex();
    ins.item.lParam = reinterpret_cast<LPARAM>(&item);
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (!handle) throw InsertError();
    handles_[&item] = handle;
}

void MainWindow::SetTreeItemState(HTREEITEM handle, UINT state, UINT mask) {
    TVITEMW tv{};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.state = state;
    tv.stateMask = mask;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ItemAdded(Item& item) {
    if (!tree_) return;
    InsertTreeItem(item);
}

void MainWindow::ItemRemoving(Item& item) {
    if (!tree_) return;
    HTREEITEM handle = TreeItemOf(&item);
    for (Item* n = &item; n; n = NextInSubtree(n, &item)) handles_.erase(n);
    if (handle) SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::Clearing() {
    if (!tree_) return;
    handles_.clear();
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void MainWindow::SubtreeAdded(Item& item) {
    if (!tree_) return;
    // A load adds each top-level subtree in turn: one repaint when it is all there.
    HoldRedrawUntilIdle();
    for (Item* n = &item; n; n = NextInSubtree(n, &item)) InsertTreeItem(*n);
    // Expanded parents open once their children are there.
    mirroring_ = true;
    auto done = ScopeGuard([this] { mirroring_ = false; });
    for (Item* n = &item; n; n = NextInSubtree(n, &item))
        if (n->Expanded()) SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(TreeItemOf(n)));
}

void MainWindow::TextChanged(Item& item) {
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    std::wstring text = FromCp932(item.Text());
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = handle;
    tv.pszText = text.data();
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ImageChanged(Item& item) {
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.iImage = item.ImageIndex();
    tv.iSelectedImage = item.SelectedIndex();
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ExpandedChanged(Item& item) {
    if (syncingModel_) return;  // the control made this change itself
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    // An item that lost its last child: TVM_EXPAND does nothing for an item without
    // children, so the state is cleared directly, and a child added later finds it closed.
    if (!item.HasChildren()) return SetTreeItemState(handle, 0, TVIS_EXPANDED);
    mirroring_ = true;
    auto done = ScopeGuard([this] { mirroring_ = false; });
    SendMessageW(tree_, TVM_EXPAND, item.Expanded() ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(handle));
}

// ---------------------------------------------------------------------------------------
// MainView

WindowHandle MainWindow::Handle() { return ToHandle(Hwnd()); }

Item* MainWindow::Selection() { return tree_ ? ItemOf(TreeView_GetSelection(tree_)) : nullptr; }

void MainWindow::Select(Item* item) {
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item ? TreeItemOf(item) : nullptr));
}

void MainWindow::StartEditing(Item* item) {
    HTREEITEM handle = TreeItemOf(item);
    if (!handle || dragging_) return;
    SetFocus(tree_);
    editRequested_ = true;
    auto done = ScopeGuard([this] { editRequested_ = false; });
    SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::MakeFirstVisible(Item* item) {
    if (HTREEITEM handle = TreeItemOf(item))
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::HoldRedrawUntilIdle() {
    if (redrawHeld_) return;
    redrawHeld_ = true;
    SuspendTreeRedraw();
    PostMessageW(Hwnd(), kResumeRedrawMessage, 0, 0);
}

void MainWindow::SuspendTreeRedraw() {
    if (redrawSuspended_++ == 0 && tree_) SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
}

void MainWindow::ResumeTreeRedraw() {
    if (redrawSuspended_ > 0 && --redrawSuspended_ == 0 && tree_) {
        SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree_, nullptr, TRUE);
    }
}

HitTest MainWindow::TreeHitTest(int x, int y) {
    TVHITTESTINFO info{};
    info.pt = POINT{x, y};
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    HitTest hit;
    hit.zones = HitZonesFromTreeFlags(info.flags);
    hit.item = ZonesInRow(hit.zones) ? ItemOf(handle) : nullptr;
    return hit;
}

}  // namespace cv2
