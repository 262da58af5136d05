#include <gtest/gtest.h>

#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

class EditCommands : public ::testing::Test, public testing::MainFrmFixture {
protected:
    void BuildSample() { testing::Build(tree(), "A|.B|.C|..D|E"); }
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
    EXPECT_TRUE(frm.Dirty());

    BuildSample();
    MarkSaved();
    view.selection = Find("B");  // a child: the new item goes after C, the last of B's level
    frm.AddNodeMenuClick();
    EXPECT_EQ(Dump(), "新規項目|A|.B|.C|..D|.新規項目|E");
    EXPECT_EQ(view.editing, Find("C")->NextSibling());
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(EditCommands, AddChildOpensTheWholeSubtreeOfTheSelection) {
    frm.AddChildMenuClick();  // no selection: nothing
    EXPECT_TRUE(tree().Empty());
    EXPECT_FALSE(frm.Dirty());

    BuildSample();
    view.selection = Find("A");
    frm.AddChildMenuClick();
    EXPECT_EQ(Dump(), "A+|.B|.C+|..D|.新規項目|E");
    Item* added = Find("A")->LastChild();
    EXPECT_EQ(view.selection, added);
    EXPECT_EQ(view.editing, added);
    EXPECT_EQ(added->SelectedIndex(), 12);
    EXPECT_TRUE(frm.ExpandAllowed());
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(EditCommands, DeleteAsksTwoOrThreeLinesJoinedByLineFeedCarriageReturn) {
    BuildSample();
    view.selection = Find("C");
    view.answers = {Answer::No};
    frm.DelNodeMenuClick();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "「C」を削除します。\n\r子アイテムも合わせて削除されます。\n\rよろしいですか？");
    EXPECT_EQ(view.boxes[0].caption, "選択アイテム削除");
    EXPECT_EQ(view.boxes[0].choices, Choices::YesNo);
    EXPECT_EQ(tree().Count(), 5);
    EXPECT_FALSE(frm.Dirty());

    view.answers = {Answer::Yes};
    frm.DelNodeMenuClick();
    EXPECT_EQ(view.boxes[1].text, view.boxes[0].text);
    EXPECT_EQ(Dump(), "A|.B|E");
    EXPECT_TRUE(frm.Dirty());

    view.selection = Find("E");
    view.answers = {Answer::Yes};
    frm.DelNodeMenuClick();
    EXPECT_EQ(view.boxes[2].text, "「E」を削除します。\n\rよろしいですか？");
    EXPECT_EQ(Dump(), "A|.B");

    view.selection = nullptr;
    frm.DelNodeMenuClick();
    EXPECT_EQ(view.boxes.size(), 3u);
}

TEST_F(EditCommands, DeleteAllAsksOnlyWhenThereAreItems) {
    frm.AllDelNodeMenuClick();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_FALSE(frm.Dirty());

    BuildSample();
    view.answers = {Answer::No, Answer::Yes};
    frm.AllDelNodeMenuClick();
    EXPECT_EQ(tree().Count(), 5);
    EXPECT_FALSE(frm.Dirty());
    frm.AllDelNodeMenuClick();
    EXPECT_TRUE(tree().Empty());
    EXPECT_TRUE(frm.Dirty());
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[0].text, "全てのアイテムを削除します。よろしいですか？");
    EXPECT_EQ(view.boxes[0].caption, "全アイテム削除");
    EXPECT_EQ(view.boxes[0].choices, Choices::YesNo);
}

TEST_F(EditCommands, AcceptedEditStoresTrimmedTextAndSetsDirty) {
    BuildSample();
    Item* b = Find("B");
    EXPECT_EQ(frm.MainTreeEdited(b, "郵便番号"), "郵便番号");
    EXPECT_EQ(b->Text(), "郵便番号");
    EXPECT_TRUE(frm.Dirty());

    MarkSaved();
    EXPECT_EQ(frm.MainTreeEdited(b, "郵便番号"), "郵便番号");  // unchanged text still counts
    EXPECT_TRUE(frm.Dirty());

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
    MarkSaved();
    frm.MainTreeEdited(d, "x");
    EXPECT_FALSE(frm.Dirty());
    EXPECT_EQ(Dump(), "A|.B|E");
}

TEST_F(EditCommands, EditTextStartsEditingTheSelection) {
    BuildSample();
    frm.EditTextMenuClick();
    EXPECT_EQ(view.editing, nullptr);
    view.selection = Find("E");
    frm.EditTextMenuClick();
    EXPECT_EQ(view.editing, Find("E"));
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(EditCommands, ExpandAndCollapseAllPassTheGateAndLeaveDirtyAlone) {
    BuildSample();
    frm.FullExpandMenuClick();
    EXPECT_EQ(Dump(), "A+|.B|.C+|..D|E");
    EXPECT_EQ(view.redrawSuspended, 0);
    AllowExpand(false);
    frm.FullCollapseMenuClick();
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");
    EXPECT_TRUE(frm.ExpandAllowed());
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(EditCommands, ImageEntriesChangeTheSelectionsIconOnly) {
    BuildSample();
    frm.Im11Click(5);  // no selection
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");
    view.selection = Find("C");
    frm.Im11Click(11);
    EXPECT_EQ(Find("C")->ImageIndex(), 11);
    EXPECT_EQ(Find("C")->SelectedIndex(), 23);
    frm.Im11Click(12);  // no such entry
    EXPECT_EQ(Find("C")->ImageIndex(), 11);
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(EditCommands, GateAnswersWithTheFlagThatPointerMovementSets) {
    BuildSample();
    Item* a = Find("A");
    Hit(5, 5, a, kHitOnButton);
    Hit(30, 5, a, kHitOnItem | kHitOnLabel);
    Hit(30, 300, nullptr, kHitNowhere);

    frm.MainTreeMouseMove(5, 5);
    EXPECT_EQ(frm.PointerItem(), a);
    EXPECT_EQ(frm.PointerHits(), unsigned{kHitOnButton});
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
    EXPECT_EQ(frm.PointerItem(), nullptr);
    EXPECT_EQ(frm.PointerHits(), unsigned{kHitOnButton});
    EXPECT_FALSE(frm.ExpandAllowed());
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
    EXPECT_EQ(Dump(), "A|.B|.C|..D|..E");
    EXPECT_EQ(view.selection, e);
    EXPECT_TRUE(frm.Dirty());

    frm.MainTreeDragDrop(3, 3);  // below the last item: last top-level item
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");

    frm.MainTreeDragDrop(2, 2);  // on the +/- button: right before C, at C's level
    EXPECT_EQ(Dump(), "A|.B|.E|.C|..D");

    frm.MainTreeDragDrop(4, 4);  // right of B's text: before B, first of its siblings
    EXPECT_EQ(Dump(), "A|.E|.B|.C|..D");
    EXPECT_EQ(view.selection, e);
}

TEST_F(EditCommands, DropOnItselfOrItsDescendantMovesNothingButSetsDirty) {
    BuildSample();
    Item* a = Find("A");
    Hit(1, 1, a, kHitOnItem | kHitOnLabel);
    Hit(2, 2, Find("D"), kHitOnItem | kHitOnIcon);
    view.selection = a;
    frm.MainTreeDragDrop(1, 1);
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");
    EXPECT_TRUE(frm.Dirty());
    MarkSaved();
    frm.MainTreeDragDrop(2, 2);
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(EditCommands, DropOutsideEveryRowIsIgnored) {
    BuildSample();
    Hit(1, 1, nullptr, kHitToRight);
    view.selection = Find("E");
    frm.MainTreeDragDrop(1, 1);
    EXPECT_EQ(Dump(), "A|.B|.C|..D|E");
    EXPECT_FALSE(frm.Dirty());
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
    EXPECT_EQ(Dump(), "E|.A|..B|..C|...D");
}

// A gesture must never reach an item that is gone: every way of removing items makes the
// pointer record forget the item under the pointer.
TEST_F(EditCommands, PointerRecordForgetsRemovedItems) {
    auto pointAt = [this](Item* item) {
        Hit(7, 7, item, kHitOnItem | kHitOnLabel);
        frm.MainTreeMouseMove(7, 7);
        ASSERT_EQ(frm.PointerItem(), item);
    };
    BuildSample();

    pointAt(Find("D"));
    view.selection = Find("C");
    view.answers = {Answer::Yes};
    frm.DelNodeMenuClick();  // the ancestor goes
    EXPECT_EQ(frm.PointerItem(), nullptr);

    pointAt(Find("B"));
    view.selection = Find("E");
    view.answers = {Answer::Yes};
    frm.DelNodeMenuClick();  // another item goes: the record stays
    EXPECT_EQ(frm.PointerItem(), Find("B"));

    pointAt(Find("B"));
    Hit(1, 1, nullptr, kHitNowhere);
    view.selection = Find("A");
    frm.MainTreeDragDrop(1, 1);  // a move rebuilds the subtree
    EXPECT_EQ(frm.PointerItem(), nullptr);

    pointAt(Find("A"));
    view.answers = {Answer::Yes};
    frm.AllDelNodeMenuClick();
    EXPECT_EQ(frm.PointerItem(), nullptr);

    BuildSample();
    pointAt(Find("E"));
    ItemTree loaded;
    loaded.AppendChild(nullptr, "X");
    tree().ReplaceWith(loaded);  // a load
    EXPECT_EQ(frm.PointerItem(), nullptr);
    EXPECT_EQ(Dump(), "X");
}

}  // namespace
}  // namespace cv2
