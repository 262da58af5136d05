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

namespace {

// An item sent otherwise than the window's settings say shows its icon with a mark, so that
// nobody wonders why that one item types.
int ImageOf(const Item& item) { return item.HasSendChoice() ? MarkedImage(item.ImageIndex()) : item.ImageIndex(); }
int SelectedImageOf(const Item& item) {
    return item.HasSendChoice() ? MarkedImage(item.SelectedIndex()) : item.SelectedIndex();
}

}  // namespace

void MainWindow::InsertTreeItem(Item& item) {
    // An item that comes after all its siblings the control holds goes in last. Loads and
    // moved subtrees insert in order, so only an item added in front of a sibling already
    // shown names its previous sibling.
    Item* next = item.NextSibling();
    TreeSpot spot = TreeSpot::Last;
    if (next && TreeItemOf(next))
        spot = item.PrevSibling() && TreeItemOf(item.PrevSibling()) ? TreeSpot::After : TreeSpot::First;
    if (!treeControl_.Insert(&item, item.Parent(), spot, item.PrevSibling(), FromCp932(item.Text()), ImageOf(item),
                             SelectedImageOf(item)))
        throw InsertError();
}

void MainWindow::ItemAdded(Item& item) {
    if (!tree_) return;
    InsertTreeItem(item);
}

void MainWindow::ItemRemoving(Item& item) {
    if (!tree_) return;
    treeControl_.Delete(&item);
}

void MainWindow::Clearing() {
    if (!tree_) return;
    treeControl_.Clear();
}

void MainWindow::SubtreeAdded(Item& item) {
    if (!tree_) return;
    // A load adds each top-level subtree in turn: one repaint when it is all there.
    HoldRedrawUntilIdle();
    for (Item* n = &item; n; n = NextInSubtree(n, &item)) InsertTreeItem(*n);
    // Expanded parents open once their children are there.
    for (Item* n = &item; n; n = NextInSubtree(n, &item))
        if (n->Expanded()) treeControl_.SetExpanded(n, true);
}

void MainWindow::TextChanged(Item& item) { treeControl_.SetText(&item, FromCp932(item.Text())); }

void MainWindow::ImageChanged(Item& item) { treeControl_.SetImages(&item, ImageOf(item), SelectedImageOf(item)); }

void MainWindow::ExpandedChanged(Item& item) {
    if (syncingModel_) return;  // the control made this change itself
    // An item that lost its last child: the control cannot close an item without
    // children, so its state is dropped directly, and a child added later finds it closed.
    if (!item.HasChildren()) return treeControl_.ClearExpandedState(&item);
    treeControl_.SetExpanded(&item, item.Expanded());
}

// ---------------------------------------------------------------------------------------
// TreeControlEvents

void MainWindow::TreeClick() {
    if (frm_->ClickHandlerInstalled()) frm_->MainTreeClick(pressShift_);
}

bool MainWindow::TreeDoubleClick() {
    if (frm_->DblClickHandlerInstalled()) frm_->MainTreeDblClick(pressShift_);
    // The control must not toggle the item: items open and close only through their +/-
    // buttons.
    return true;
}

bool MainWindow::TreeExpanding(TreeKey key, bool expanding) {
    auto* item = static_cast<Item*>(key);
    return expanding ? frm_->MainTreeExpanding(item) : frm_->MainTreeCollapsing(item);
}

void MainWindow::TreeExpanded(TreeKey key, bool expanded) {
    syncingModel_ = true;
    auto done = ScopeGuard([this] { syncingModel_ = false; });
    frm_->Tree().SetExpanded(static_cast<Item*>(key), expanded);
}

bool MainWindow::TreeBeginLabelEdit(TreeKey, bool requested) {
    // No editing while an item is being dragged. An edit that the control starts by itself
    // (the second, slow click on the selected item) goes ahead only while this window is in
    // the foreground: after a click has sent the item, the target window is, and an editor
    // opening behind it would swallow the user's next click on the tree and store the
    // unchanged text as an edit.
    if (dragging_) return false;
    return requested || GetForegroundWindow() == Hwnd();
}

void MainWindow::TreeEndLabelEdit(TreeKey key, const std::wstring& text) {
    // The model's TextChanged shows the text as the model stores it.
    frm_->MainTreeEdited(static_cast<Item*>(key), ToCp932(text));
}

void MainWindow::TreeFailed(const std::string& sjisMessage) { ReportException(sjisMessage); }

// ---------------------------------------------------------------------------------------
// MainView

WindowHandle MainWindow::Handle() { return ToHandle(Hwnd()); }

Item* MainWindow::Selection() { return tree_ ? static_cast<Item*>(treeControl_.Selection()) : nullptr; }

void MainWindow::Select(Item* item) { treeControl_.Select(item); }

void MainWindow::StartEditing(Item* item) {
    if (!TreeItemOf(item) || dragging_) return;
    SetFocus(tree_);
    treeControl_.EditLabel(item);
}

void MainWindow::MakeFirstVisible(Item* item) { treeControl_.MakeFirstVisible(item); }

void MainWindow::HoldRedrawUntilIdle() {
    if (redrawHeld_) return;
    redrawHeld_ = true;
    SuspendTreeRedraw();
    PostMessageW(Hwnd(), kResumeRedrawMessage, 0, 0);
}

void MainWindow::SuspendTreeRedraw() {
    if (redrawSuspended_++ == 0 && tree_) treeControl_.SetRedraw(false);
}

void MainWindow::ResumeTreeRedraw() {
    if (redrawSuspended_ > 0 && --redrawSuspended_ == 0 && tree_) treeControl_.SetRedraw(true);
}

HitTest MainWindow::TreeHitTest(int x, int y) {
    UINT flags = 0;
    auto* item = static_cast<Item*>(treeControl_.HitTest(POINT{x, y}, &flags));
    HitTest hit;
    hit.zones = HitZonesFromTreeFlags(flags);
    hit.item = ZonesInRow(hit.zones) ? item : nullptr;
    return hit;
}

}  // namespace cv2
