#include <gtest/gtest.h>

#include "tests/support/MainWindowFixture.h"

namespace cv2 {
namespace {

using testing::Dump;

class EditCommands : public ::testing::Test, public testing::MainFrmFixture {
protected:
    // A (B, C (D)), E
    void BuildSample() {
        Item* a = tree().AppendChild(nullptr, "A");
        tree().AppendChild(a, "B");
        Item* c = tree().AppendChild(a, "C");
        tree().AppendChild(c, "D");
        tree().AppendChild(nullptr, "E");
    }
    Item* Find(const std::string& text) {
        for (Item* n = tree().First(); n; n = n->Next())
            if (n->Text() == text) return n;
        return nullptr;
    }
    // Makes the view answer a hit test at (x, y).
    void Hit(int x, int y, Item* item, unsigned zones) { view.hits[{x, y}] = HitTest{item, zones}; }
};

TEST_F(EditCommands, AddNodeAppendsAtTheEndOfTheSelectionsLevelAndStartsEditing) {
    frm.AddNodeMenuClick();
    Item* first = tree().First();
    EXPECT_EQ(first->Text(), "新規項目");
    EXPECT_EQ(first->ImageIndex(), 0);
    EXPECT_EQ(first->SelectedIndex(), 12);
    EXPECT_EQ(view.selection, first);
    EXPECT_EQ(view.editing, first);
    EXPECT_TRUE(frm.dirty);

    BuildSample();
    frm.dirty = false;
    view.selection = Find("B");  // a child: the new item goes after C, the last of B's level
    frm.AddNodeMenuClick();
    EXPECT_EQ(Dump(tree().First()), "新規項目 A(B C(D) 新規項目) E");
    EXPECT_EQ(view.editing, Find("C")->NextSibling());
    EXPECT_TRUE(frm.dirty);
}

TEST_F(EditCommands, AddChildOpensTheWholeSubtreeOfTheSelection) {
    frm.AddChildMenuClick();  // no selection: nothing
    EXPECT_TRUE(tree().Empty());
    EXPECT_FALSE(frm.dirty);

    BuildSample();
    view.selection = Find("A");
    frm.AddChildMenuClick();
    EXPECT_EQ(Dump(tree().First()), "A+(B C+(D) 新規項目) E");
    Item* added = Find("A")->LastChild();
    EXPECT_EQ(view.selection, added);
    EXPECT_EQ(view.editing, added);
    EXPECT_EQ(added->SelectedIndex(), 12);
    EXPECT_TRUE(frm.expandAllowed);
    EXPECT_TRUE(frm.dirty);
}

TEST_F(EditCommands, DeleteAsksTwoOrThreeLinesJoinedByLineFeedCarriageReturn) {
    BuildSample();
    view.selection = Find("C");
    dialogs.answers = {kIdNo};
    frm.DelNodeMenuClick();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "「C」を削除します。\n\r子アイテムも合わせて削除されます。\n\rよろしいですか？");
    EXPECT_EQ(dialogs.boxes[0].caption, "選択アイテム削除");
    EXPECT_EQ(dialogs.boxes[0].style, 52u);
    EXPECT_EQ(tree().Count(), 5);
    EXPECT_FALSE(frm.dirty);

    dialogs.answers = {kIdYes};
    frm.DelNodeMenuClick();
    EXPECT_EQ(dialogs.boxes[1].text, dialogs.boxes[0].text);
    EXPECT_EQ(Dump(tree().First()), "A(B) E");
    EXPECT_TRUE(frm.dirty);

    view.selection = Find("E");
    dialogs.answers = {kIdYes};
    frm.DelNodeMenuClick();
    EXPECT_EQ(dialogs.boxes[2].text, "「E」を削除します。\n\rよろしいですか？");
    EXPECT_EQ(Dump(tree().First()), "A(B)");

    view.selection = nullptr;
    frm.DelNodeMenuClick();
    EXPECT_EQ(dialogs.boxes.size(), 3u);
}

TEST_F(EditCommands, DeleteAllAsksOnlyWhenThereAreItems) {
    frm.AllDelNodeMenuClick();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(frm.dirty);

    BuildSample();
    dialogs.answers = {kIdNo, kIdYes};
    frm.AllDelNodeMenuClick();
    EXPECT_EQ(tree().Count(), 5);
    EXPECT_FALSE(frm.dirty);
    frm.AllDelNodeMenuClick();
    EXPECT_TRUE(tree().Empty());
    EXPECT_TRUE(frm.dirty);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].text, "全てのアイテムを削除します。よろしいですか？");
    EXPECT_EQ(dialogs.boxes[0].caption, "全アイテム削除");
    EXPECT_EQ(dialogs.boxes[0].style, 52u);
}

TEST_F(EditCommands, AcceptedEditStoresTrimmedTextAndSetsDirty) {
    BuildSample();
    Item* b = Find("B");
    EXPECT_EQ(frm.MainTreeEdited(b, "郵便番号"), "郵便番号");
    EXPECT_EQ(b->Text(), "郵便番号");
    EXPECT_TRUE(frm.dirty);

    frm.dirty = false;
    EXPECT_EQ(frm.MainTreeEdited(b, "郵便番号"), "郵便番号");  // unchanged text still counts
    EXPECT_TRUE(frm.dirty);

    EXPECT_EQ(frm.MainTreeEdited(b, ""), "未設定項目");
    // Leading blanks would change the item's level in the user file: they go.
    EXPECT_EQ(frm.MainTreeEdited(b, " \t 東京都 "), "東京都 ");
    EXPECT_EQ(frm.MainTreeEdited(b, " \t "), "未設定項目");
    // A full-width space is text, and a second byte 0x20.. is never taken for a blank.
    EXPECT_EQ(frm.MainTreeEdited(b, "　表"), "　表");
    EXPECT_EQ(b->Text(), "　表");
}

TEST_F(EditCommands, EditOfAnItemThatIsGoneChangesNothing) {
    BuildSample();
    Item* d = Find("D");
    tree().Delete(Find("C"));
    frm.dirty = false;
    frm.MainTreeEdited(d, "x");
    EXPECT_FALSE(frm.dirty);
    EXPECT_EQ(Dump(tree().First()), "A(B) E");
}

TEST_F(EditCommands, EditTextStartsEditingTheSelection) {
    BuildSample();
    frm.EditTextMenuClick();
    EXPECT_EQ(view.editing, nullptr);
    view.selection = Find("E");
    frm.EditTextMenuClick();
    EXPECT_EQ(view.editing, Find("E"));
    EXPECT_FALSE(frm.dirty);
}

TEST_F(EditCommands, ExpandAndCollapseAllPassTheGateAndLeaveDirtyAlone) {
    BuildSample();
    frm.FullExpandMenuClick();
    EXPECT_EQ(Dump(tree().First()), "A+(B C+(D)) E");
    EXPECT_EQ(view.redrawSuspended, 0);
    frm.expandAllowed = false;
    frm.FullCollapseMenuClick();
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");
    EXPECT_TRUE(frm.expandAllowed);
    EXPECT_FALSE(frm.dirty);
}

TEST_F(EditCommands, ImageEntriesChangeTheSelectionsIconOnly) {
    BuildSample();
    frm.Im11Click(5);  // no selection
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");
    view.selection = Find("C");
    frm.Im11Click(11);
    EXPECT_EQ(Find("C")->ImageIndex(), 11);
    EXPECT_EQ(Find("C")->SelectedIndex(), 23);
    frm.Im11Click(12);  // no such entry
    EXPECT_EQ(Find("C")->ImageIndex(), 11);
    EXPECT_FALSE(frm.dirty);
}

TEST_F(EditCommands, GateAnswersWithTheFlagThatPointerMovementSets) {
    BuildSample();
    Item* a = Find("A");
    Hit(5, 5, a, kHitOnButton);
    Hit(30, 5, a, kHitOnItem | kHitOnLabel);
    Hit(30, 300, nullptr, kHitNowhere);

    frm.MainTreeMouseMove(5, 5);
    EXPECT_EQ(frm.pointerItem, a);
    EXPECT_EQ(frm.pointerHits, unsigned{kHitOnButton});
    EXPECT_TRUE(frm.MainTreeExpanding(a));
    EXPECT_TRUE(frm.MainTreeCollapsing(a));

    frm.MainTreeMouseMove(30, 5);
    EXPECT_FALSE(frm.MainTreeExpanding(a));
    tree().Expand(a, false, frm.Gate());  // e.g. a double-click on the label
    EXPECT_FALSE(a->Expanded());

    frm.MainTreeMouseMove(5, 5);
    tree().Expand(a, false, frm.Gate());
    EXPECT_TRUE(a->Expanded());

    // Off every item: the flag drops, the hit set stays as it was.
    frm.MainTreeMouseMove(30, 300);
    EXPECT_EQ(frm.pointerItem, nullptr);
    EXPECT_EQ(frm.pointerHits, unsigned{kHitOnButton});
    EXPECT_FALSE(frm.expandAllowed);
    tree().Collapse(a, false, frm.Gate());
    EXPECT_TRUE(a->Expanded());
}

TEST_F(EditCommands, RightPressSelectsOnlyInsideAnItemsRow) {
    BuildSample();
    Item* c = Find("C");
    view.selection = Find("E");
    Hit(1, 1, nullptr, kHitNowhere);
    Hit(2, 2, c, kHitOnIndent);
    Hit(3, 3, c, kHitOnButton);
    Hit(4, 4, c, kHitOnStateIcon | kHitOnItem);
    Hit(5, 5, c, kHitOnRight);

    frm.MainTreeMouseDown(MouseButton::Right, false, 1, 1);
    EXPECT_EQ(view.selection, Find("E"));
    frm.MainTreeMouseDown(MouseButton::Right, false, 4, 4);
    EXPECT_EQ(view.selection, Find("E"));
    frm.MainTreeMouseDown(MouseButton::Left, false, 2, 2);
    EXPECT_EQ(view.selection, Find("E"));
    frm.MainTreeMouseDown(MouseButton::Right, false, 2, 2);
    EXPECT_EQ(view.selection, c);
    view.selection = nullptr;
    frm.MainTreeMouseDown(MouseButton::Right, false, 3, 3);
    EXPECT_EQ(view.selection, c);
    view.selection = nullptr;
    frm.MainTreeMouseDown(MouseButton::Right, true, 5, 5);
    EXPECT_EQ(view.selection, c);
}

TEST_F(EditCommands, DragOverAcceptsOnlyTheTreeWithASelection) {
    BuildSample();
    EXPECT_FALSE(frm.MainTreeDragOver(true));
    view.selection = Find("B");
    EXPECT_TRUE(frm.MainTreeDragOver(true));
    EXPECT_FALSE(frm.MainTreeDragOver(false));
}

TEST_F(EditCommands, DropAttachesByTheZoneUnderThePointer) {
    BuildSample();
    Item* e = Find("E");
    Item* c = Find("C");
    Hit(1, 1, c, kHitOnItem | kHitOnLabel);
    Hit(2, 2, c, kHitOnButton);
    Hit(3, 3, nullptr, kHitNowhere);
    Hit(4, 4, Find("B"), kHitOnRight);

    view.selection = e;
    frm.MainTreeDragDrop(1, 1);  // on the label: last child of C
    EXPECT_EQ(Dump(tree().First()), "A(B C(D E))");
    EXPECT_EQ(view.selection, e);
    EXPECT_TRUE(frm.dirty);

    frm.MainTreeDragDrop(3, 3);  // below the last item: last top-level item
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");

    frm.MainTreeDragDrop(2, 2);  // on the +/- button: right before C, at C's level
    EXPECT_EQ(Dump(tree().First()), "A(B E C(D))");

    frm.MainTreeDragDrop(4, 4);  // right of B's text: before B, first of its siblings
    EXPECT_EQ(Dump(tree().First()), "A(E B C(D))");
    EXPECT_EQ(view.selection, e);
}

TEST_F(EditCommands, DropOnItselfOrItsDescendantMovesNothingButSetsDirty) {
    BuildSample();
    Item* a = Find("A");
    Hit(1, 1, a, kHitOnItem | kHitOnLabel);
    Hit(2, 2, Find("D"), kHitOnItem | kHitOnIcon);
    view.selection = a;
    frm.MainTreeDragDrop(1, 1);
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");
    EXPECT_TRUE(frm.dirty);
    frm.dirty = false;
    frm.MainTreeDragDrop(2, 2);
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");
    EXPECT_TRUE(frm.dirty);
}

TEST_F(EditCommands, DropOutsideEveryRowIsIgnored) {
    BuildSample();
    Hit(1, 1, nullptr, kHitToRight);
    view.selection = Find("E");
    frm.MainTreeDragDrop(1, 1);
    EXPECT_EQ(Dump(tree().First()), "A(B C(D)) E");
    EXPECT_FALSE(frm.dirty);
}

TEST_F(EditCommands, MovedItemArrivesCollapsedAndItsNewParentOpensOnlyThroughTheGate) {
    BuildSample();
    frm.FullExpandMenuClick();
    Item* a = Find("A");
    Item* e = Find("E");
    Hit(1, 1, e, kHitOnItem | kHitOnLabel);
    Hit(9, 9, e, kHitOnLabel | kHitOnItem);
    frm.MainTreeMouseMove(9, 9);  // the pointer ends on a label: the gate is shut
    view.selection = a;
    frm.MainTreeDragDrop(1, 1);
    EXPECT_EQ(Dump(tree().First()), "E(A(B C(D)))");
}

// A gesture must never reach an item that is gone: every way of removing items makes the
// pointer record forget the item under the pointer.
TEST_F(EditCommands, PointerRecordForgetsRemovedItems) {
    auto pointAt = [this](Item* item) {
        Hit(7, 7, item, kHitOnItem | kHitOnLabel);
        frm.MainTreeMouseMove(7, 7);
        ASSERT_EQ(frm.pointerItem, item);
    };
    BuildSample();

    pointAt(Find("D"));
    view.selection = Find("C");
    dialogs.answers = {kIdYes};
    frm.DelNodeMenuClick();  // the ancestor goes
    EXPECT_EQ(frm.pointerItem, nullptr);

    pointAt(Find("B"));
    view.selection = Find("E");
    dialogs.answers = {kIdYes};
    frm.DelNodeMenuClick();  // another item goes: the record stays
    EXPECT_EQ(frm.pointerItem, Find("B"));

    pointAt(Find("B"));
    Hit(1, 1, nullptr, kHitNowhere);
    view.selection = Find("A");
    frm.MainTreeDragDrop(1, 1);  // a move rebuilds the subtree
    EXPECT_EQ(frm.pointerItem, nullptr);

    pointAt(Find("A"));
    dialogs.answers = {kIdYes};
    frm.AllDelNodeMenuClick();
    EXPECT_EQ(frm.pointerItem, nullptr);

    BuildSample();
    pointAt(Find("E"));
    ItemTree loaded;
    loaded.AppendChild(nullptr, "X");
    tree().ReplaceWith(loaded);  // a load
    EXPECT_EQ(frm.pointerItem, nullptr);
    EXPECT_EQ(Dump(tree().First()), "X");
}

}  // namespace
}  // namespace cv2
