// Undo and redo of the commands that change the tree, and the dirty flag that follows them.
#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"

namespace cv2 {

TreeHistory::Recording TCV2Frm::RecordStep() {
    SyncHistory();
    return TreeHistory::Recording(history_, view_.Selection());
}

void TCV2Frm::SyncHistory() {
    // Whatever changed the tree past the history left the dirty flag right: a clean tree is
    // the one in the user file.
    if (history_.Stale()) history_.Clear(!dirty);
}

void TCV2Frm::RecordInsertedSubtree(Item* root) {
    if (!root) return;
    TreeHistory::Recording step = RecordStep();
    history_.Inserted(root);
    step.Commit(view_.Selection(), Affects::UserFile);
    SetDirty(true);
}

void TCV2Frm::UndoMenuClick() { StepThroughHistory(true); }

void TCV2Frm::RedoMenuClick() { StepThroughHistory(false); }

void TCV2Frm::StepThroughHistory(bool undo) {
    SyncHistory();
    std::optional<HistoryMove> move;
    try {
        RedrawSuspension pause(view_);
        move = undo ? history_.Undo() : history_.Redo();
    } catch (...) {
        // The view could not show every item: what it shows is in no file.
        SetDirty(true);
        throw;
    }
    if (!move) return;
    view_.Select(move->selection);
    // Icons live in the settings file: stepping over an icon change leaves the flag alone.
    if (move->userFile) SetDirty(!history_.AtSaved());
}

}  // namespace cv2
