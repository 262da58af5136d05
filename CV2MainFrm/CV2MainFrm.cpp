#include "CV2MainFrm/CV2MainFrm.h"

#include "base/ErrorReport.h"

namespace cv2 {

TCV2Frm::TCV2Frm(MainView& view, Platform& platform)
    : view_(view), platform_(platform), engine_({platform.desktop, platform.keys, platform.clipboard, platform.clock}) {
    tree_.SetObserver(this);
}

TCV2Frm::~TCV2Frm() { tree_.SetObserver(nullptr); }

ExpandGate TCV2Frm::Gate() {
    return
        [this](Item& item, bool expanding) { return expanding ? MainTreeExpanding(&item) : MainTreeCollapsing(&item); };
}

void TCV2Frm::SetDocumentForTest(const std::wstring& file, bool unsaved) {
    fileName = file;
    SetDirty(unsaved);
    history_.Clear(!unsaved);
}

void TCV2Frm::ReportError(const std::string& message) { view_.ShowError(ErrorReportText(message), kAppTitle); }

// ---- TreeObserver ----

void TCV2Frm::ItemAdded(Item& item) {
    if (treeView_) treeView_->ItemAdded(item);
}

void TCV2Frm::ItemRemoving(Item& item) {
    // A gesture must never use an item that is gone or rebuilt elsewhere.
    if (pointerItem && (pointerItem == &item || pointerItem->IsDescendantOf(&item))) pointerItem = nullptr;
    if (treeView_) treeView_->ItemRemoving(item);
}

void TCV2Frm::Clearing() {
    pointerItem = nullptr;
    if (treeView_) treeView_->Clearing();
}

void TCV2Frm::SubtreeAdded(Item& item) {
    if (treeView_) treeView_->SubtreeAdded(item);
}

void TCV2Frm::TextChanged(Item& item) {
    if (treeView_) treeView_->TextChanged(item);
}

void TCV2Frm::ImageChanged(Item& item) {
    // Icons are settings, not changes of the tree, but the recovery file keeps them too.
    if (dirty) ScheduleRecovery();
    if (treeView_) treeView_->ImageChanged(item);
}

void TCV2Frm::ExpandedChanged(Item& item) {
    history_.ExpandedChanged(item);
    if (treeView_) treeView_->ExpandedChanged(item);
}

}  // namespace cv2
