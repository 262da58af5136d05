// The editing commands of the item tree, pointer tracking and the expand-allowed gate.
#include <algorithm>
#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"

namespace cv2 {
namespace {

// Lines of a question box are joined by LF then CR (not CR LF).
constexpr const char* kLineBreak = "\n\r";
constexpr const char* kUnsetText = "未設定項目";

// Hit zones that put a point outside every item row: a right press there selects nothing.
constexpr unsigned kOffRowZones = 0xFE07;

}  // namespace

void TCV2Frm::AddNodeMenuClick() {
    TreeHistory::Recording step = RecordStep();
    Item* item = tree_.AppendAtLevel(view_.Selection(), kNewItemText);
    tree_.SetImageIndex(item, 0);
    history_.Inserted(item);
    view_.Select(item);
    step.Commit(item, Affects::UserFile);
    view_.StartEditing(item);
    SetDirty(true);
}

void TCV2Frm::AddChildMenuClick() {
    Item* selection = view_.Selection();
    if (!selection) return;
    TreeHistory::Recording step = RecordStep();
    Item* item = tree_.AppendChild(selection, kNewItemText);
    tree_.SetImageIndex(item, 0);
    history_.Inserted(item);
    expandAllowed = true;
    tree_.Expand(selection, true, Gate());
    view_.Select(item);
    step.Commit(item, Affects::UserFile);
    view_.StartEditing(item);
    SetDirty(true);
}

void TCV2Frm::DelNodeMenuClick() {
    Item* selection = view_.Selection();
    if (!selection) return;
    std::string question = "「" + selection->Text() + "」を削除します。";
    if (selection->HasChildren()) question += std::string(kLineBreak) + "子アイテムも合わせて削除されます。";
    question += std::string(kLineBreak) + "よろしいですか？";
    if (view_.Ask(question, "選択アイテム削除", Choices::YesNo) != Answer::Yes) return;
    // The question box ran a message loop: the item may be gone by now.
    if (!tree_.Contains(selection)) return;
    TreeHistory::Recording step = RecordStep();
    history_.Remove(selection);
    step.Commit(view_.Selection(), Affects::UserFile);
    SetDirty(true);
}

void TCV2Frm::AllDelNodeMenuClick() {
    if (tree_.Count() == 0) return;
    if (view_.Ask("全てのアイテムを削除します。よろしいですか？", "全アイテム削除", Choices::YesNo) != Answer::Yes)
        return;
    TreeHistory::Recording step = RecordStep();
    ItemTree none;
    history_.ReplaceAll(none);
    step.Commit(view_.Selection(), Affects::UserFile);
    SetDirty(true);
}

void TCV2Frm::EditTextMenuClick() {
    if (Item* selection = view_.Selection()) view_.StartEditing(selection);
}

std::string TCV2Frm::MainTreeEdited(Item* item, const std::string& newText) {
    if (!item || !tree_.Contains(item)) return newText;
    // The user file marks an item's level by leading tabs and cannot hold leading blanks:
    // kept, they would move the item to another level (or stop the load) on the next start.
    // Space and tab are single-byte in Shift-JIS, so trimming from the front is safe.
    std::string text = newText.substr(std::min(newText.find_first_not_of(" \t"), newText.size()));
    if (text.empty()) text = kUnsetText;
    // An edit that keeps the text still counts as a change, but leaves nothing to undo.
    if (text != item->Text()) {
        TreeHistory::Recording step = RecordStep();
        history_.SetText(item, text);
        step.Commit(view_.Selection(), Affects::UserFile);
    }
    SetDirty(true);
    return text;
}

void TCV2Frm::FullExpandMenuClick() {
    expandAllowed = true;
    RedrawSuspension pause(view_);
    for (Item* top = tree_.First(); top; top = top->NextSibling()) tree_.Expand(top, true, Gate());
}

void TCV2Frm::FullCollapseMenuClick() {
    expandAllowed = true;
    RedrawSuspension pause(view_);
    for (Item* top = tree_.First(); top; top = top->NextSibling()) tree_.Collapse(top, true, Gate());
}

void TCV2Frm::Im11Click(int imageIndex) {
    if (imageIndex < 0 || imageIndex > 11) return;
    Item* selection = view_.Selection();
    if (!selection || (selection->ImageIndex() == imageIndex && selection->SelectedIndex() == imageIndex + 12)) return;
    // Icons live in the settings file: the step leaves the dirty flag alone.
    TreeHistory::Recording step = RecordStep();
    history_.SetImageIndex(selection, imageIndex);
    step.Commit(selection, Affects::SettingsOnly);
}

// Like an icon, the choice lives in the settings file: the user file does not change.
void TCV2Frm::SetSendChoice(SendWay way, FollowUpChoice followUp) {
    Item* selection = view_.Selection();
    if (!selection || (selection->Way() == way && selection->FollowUp() == followUp)) return;
    TreeHistory::Recording step = RecordStep();
    history_.SetSendChoice(selection, way, followUp);
    step.Commit(selection, Affects::SettingsOnly);
}

void TCV2Frm::SendWayClick(SendWay way) {
    if (const Item* selection = view_.Selection()) SetSendChoice(way, selection->FollowUp());
}

void TCV2Frm::FollowUpChoiceClick(FollowUpChoice followUp) {
    if (const Item* selection = view_.Selection()) SetSendChoice(selection->Way(), followUp);
}

bool TCV2Frm::MainTreeDragOver(bool sourceIsTree) { return sourceIsTree && view_.Selection() != nullptr; }

bool TCV2Frm::DropPlace(int x, int y, Item*& target, AttachMode& mode) {
    HitTest hit = view_.TreeHitTest(x, y);
    target = hit.item;
    if (hit.zones & kHitOnItem) {
        mode = AttachMode::AddChild;
        return hit.item != nullptr;
    }
    if (hit.zones & kHitNowhere) {
        target = nullptr;
        mode = AttachMode::Add;
        return true;
    }
    // Outside every row and not below the last one (border, scroll bar): no target.
    mode = AttachMode::Insert;
    return hit.item != nullptr;
}

void TCV2Frm::MainTreeDragDrop(int x, int y) {
    Item* selection = view_.Selection();
    Item* target = nullptr;
    AttachMode mode{};
    if (!selection || !DropPlace(x, y, target, mode)) return;
    // One undo step for whatever the drop does (a drop that moves nothing records none).
    TreeHistory::Recording step = RecordStep();
    history_.Move(selection, target, mode, Gate());
    // The moved item was rebuilt at its new place; it stays the selection.
    if (view_.Selection() != selection) view_.Select(selection);
    step.Commit(selection, Affects::UserFile);
    SetDirty(true);
}

void TCV2Frm::MainTreeDragCopy(int x, int y) {
    Item* selection = view_.Selection();
    Item* target = nullptr;
    AttachMode mode{};
    if (!selection || !DropPlace(x, y, target, mode)) return;
    TreeHistory::Recording step = RecordStep();
    Item* copy = tree_.Copy(selection, target, mode, Gate());
    history_.Inserted(copy);
    // As in a file manager, the copy is what the user goes on with.
    view_.Select(copy);
    step.Commit(copy, Affects::UserFile);
    SetDirty(true);
}

void TCV2Frm::MainTreeMouseMove(int x, int y) {
    HitTest hit = view_.TreeHitTest(x, y);
    pointerItem = hit.item;
    if (hit.item) {
        pointerHits = hit.zones;
        expandAllowed = (hit.zones & kHitOnButton) != 0;
    } else {
        expandAllowed = false;
    }
}

bool TCV2Frm::MainTreeExpanding(Item*) { return expandAllowed; }

bool TCV2Frm::MainTreeCollapsing(Item*) { return expandAllowed; }

void TCV2Frm::MainTreeMouseDown(MouseButton button, bool ctrl, int x, int y) {
    if (button == MouseButton::Left) {
        if (ctrl) SendPointerItem();
        return;
    }
    if (button != MouseButton::Right) return;
    HitTest hit = view_.TreeHitTest(x, y);
    if ((hit.zones & kOffRowZones) == 0 && hit.item) view_.Select(hit.item);
}

}  // namespace cv2
