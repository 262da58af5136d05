// Copying an item with its subtree: in the model, and by a drop with Ctrl held.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Error.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

using testing::Build;
using testing::Dump;
using testing::Find;

void ExpectIndicesMatch(const ItemTree& tree) {
    const std::vector<Item*> ref = testing::PreOrder(tree);
    ASSERT_EQ(tree.Count(), static_cast<int>(ref.size()));
    for (int i = 0; i < tree.Count(); ++i) ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]) << i;
}

struct CopyCase {
    const char* name;
    const char* s;
    const char* target;  // null: none
    AttachMode mode;
    const char* after;
};

TEST(ItemTreeCopy, TheCopyGoesWhereAMoveWouldAndTheOriginalStays) {
    const std::string start = "A|.a1:5|.a2~21|..x:9~03|.a3|B|.b1|C";
    const CopyCase cases[] = {
        {"as last child", "a2", "C", AttachMode::AddChild, "A|.a1:5|.a2~21|..x:9~03|.a3|B|.b1|C+|.a2~21|..x:9~03"},
        {"end of the top level", "a2", nullptr, AttachMode::Add, "A|.a1:5|.a2~21|..x:9~03|.a3|B|.b1|C|a2~21|.x:9~03"},
        {"before an item", "b1", "a1", AttachMode::Insert, "A+|.b1|.a1:5|.a2~21|..x:9~03|.a3|B|.b1|C"},
        {"onto itself", "x", "x", AttachMode::AddChild, "A|.a1:5|.a2~21|..x+:9~03|...x:9~03|.a3|B|.b1|C"},
        {"into its own subtree", "a2", "x", AttachMode::AddChild,
         "A|.a1:5|.a2~21|..x+:9~03|...a2~21|....x:9~03|.a3|B|.b1|C"},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ItemTree tree;
        Build(tree, start);
        Item* s = Find(tree, c.s);
        Item* oldParent = s->Parent();
        ExpectIndicesMatch(tree);  // fills the lookup cache
        Item* copy = tree.Copy(s, c.target ? Find(tree, c.target) : nullptr, c.mode, nullptr);
        EXPECT_EQ(Dump(tree), c.after);
        ASSERT_NE(copy, s);
        EXPECT_EQ(copy->Text(), s->Text());
        EXPECT_EQ(s->Parent(), oldParent);
        ExpectIndicesMatch(tree);
    }
}

TEST(ItemTreeCopy, TheCopyArrivesCollapsedAndItsNewParentOpensOnlyThroughTheGate) {
    ItemTree tree;
    Build(tree, "A+|.B+|..C|D|.E");
    std::vector<std::string> asked;
    auto shut = [&asked](Item& item, bool) {
        asked.push_back(item.Text());
        return false;
    };
    tree.Copy(Find(tree, "A"), Find(tree, "D"), AttachMode::AddChild, shut);
    EXPECT_EQ(Dump(tree), "A+|.B+|..C|D|.E|.A|..B|...C");
    EXPECT_EQ(asked, std::vector<std::string>{"D"});
}

TEST(ItemTreeCopy, CopiesADeepChainWithoutRecursion) {
    ItemTree tree;
    Item* top = tree.AppendChild(nullptr, "0");
    Item* n = top;
    for (int i = 1; i < 100000; ++i) n = tree.AppendChild(n, "x");
    Item* copy = tree.Copy(top, nullptr, AttachMode::Add, nullptr);
    EXPECT_EQ(tree.Count(), 200000);
    EXPECT_EQ(tree.IndexOf(copy), 100000);
    EXPECT_EQ(tree.ItemAt(199999)->Level(), 99999);
}

class DragCopy : public ::testing::Test, public testing::MainFrmFixture {
protected:
    void Hit(int x, int y, Item* item, unsigned zones) { view.hits[{x, y}] = HitTest{item, zones}; }
};

TEST_F(DragCopy, ACtrlDropCopiesTheSubtreeSelectsTheCopyAndSetsDirty) {
    Build(tree(), "A|.B:6~30|..C:7|D");
    Item* b = Find("B");
    Hit(1, 1, Find("D"), kHitOnItem | kHitOnLabel);
    Hit(2, 2, nullptr, kHitNowhere);
    view.selection = b;
    frm.MainTreeDragCopy(1, 1);
    // The gate is shut (the pointer was never on a +/- button): D stays closed.
    EXPECT_EQ(Dump(), "A|.B:6~30|..C:7|D|.B:6~30|..C:7");
    EXPECT_EQ(view.selection, Find("D")->FirstChild());
    EXPECT_TRUE(frm.Dirty());
    EXPECT_EQ(view.treeEvents.back(), "subtree B");

    MarkSaved();
    frm.MainTreeDragCopy(2, 2);  // below the last row: a copy of the copy at the end
    EXPECT_EQ(Dump(), "A|.B:6~30|..C:7|D|.B:6~30|..C:7|B:6~30|.C:7");
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(DragCopy, ADropWithoutAPlaceOrASelectionCopiesNothing) {
    Build(tree(), "A|B");
    Hit(1, 1, nullptr, kHitToRight);
    Hit(2, 2, Find("B"), kHitOnItem);
    view.selection = Find("A");
    frm.MainTreeDragCopy(1, 1);
    view.selection = nullptr;
    frm.MainTreeDragCopy(2, 2);
    EXPECT_EQ(Dump(), "A|B");
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(DragCopy, ACopyTheWindowCannotShowIsNotKept) {
    Build(tree(), "A|.B|C");
    Hit(1, 1, Find("C"), kHitOnItem);
    view.selection = Find("A");
    view.refusedTexts.insert("B");
    EXPECT_THROW(frm.MainTreeDragCopy(1, 1), InsertError);
    EXPECT_EQ(Dump(), "A|.B|C");
    EXPECT_EQ(tree().Count(), 3);
    EXPECT_EQ(view.treeEvents.back(), "removing A");
}

}  // namespace
}  // namespace cv2
