// Copying an item with its subtree: in the model, and by a drop with Ctrl held.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

using testing::Build;
using testing::Dump;
using testing::Find;

TEST(ItemTreeCopy, TheCopyGoesWhereAMoveWouldArrivesCollapsedAndTheOriginalStays) {
    const struct {
        const char *s, *target;  // target null: none
        AttachMode mode;
        const char* after;
    } cases[] = {
        {"a2", "C", AttachMode::AddChild, "A|.a1:5|.a2+~21|..x:9~03|B|C+|.a2~21|..x:9~03"},
        {"a2", nullptr, AttachMode::Add, "A|.a1:5|.a2+~21|..x:9~03|B|C|a2~21|.x:9~03"},
        {"B", "a1", AttachMode::Insert, "A+|.B|.a1:5|.a2+~21|..x:9~03|B|C"},
        {"x", "x", AttachMode::AddChild, "A|.a1:5|.a2+~21|..x+:9~03|...x:9~03|B|C"},
        {"a2", "x", AttachMode::AddChild, "A|.a1:5|.a2+~21|..x+:9~03|...a2~21|....x:9~03|B|C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        ItemTree tree;
        Build(tree, "A|.a1:5|.a2+~21|..x:9~03|B|C");
        Item* s = Find(tree, c.s);
        tree.ItemAt(5);  // fills the lookup cache, which the copy must empty
        Item* copy = tree.Copy(s, c.target ? Find(tree, c.target) : nullptr, c.mode, nullptr);
        EXPECT_EQ(Dump(tree), c.after);
        EXPECT_NE(copy, s);
        const std::vector<Item*> items = testing::PreOrder(tree);
        ASSERT_EQ(tree.Count(), static_cast<int>(items.size()));
        for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.ItemAt(i), items[static_cast<std::size_t>(i)]);
    }
}

TEST(ItemTreeCopy, CopiesADeepChainWithoutRecursion) {
    ItemTree tree;
    Item* n = tree.AppendChild(nullptr, "0");
    for (int i = 1; i < 100000; ++i) n = tree.AppendChild(n, "x");
    tree.Copy(tree.First(), nullptr, AttachMode::Add, nullptr);
    EXPECT_EQ(tree.ItemAt(199999)->Level(), 99999);
}

class DragCopy : public ::testing::Test, public testing::MainFrmFixture {};

TEST_F(DragCopy, ACtrlDropCopiesTheSubtreeSelectsTheCopyAndSetsDirty) {
    Build(tree(), "A|.B:6~30|..C:7|D");
    view.hits[{1, 1}] = HitTest{Find("D"), kHitOnItem | kHitOnLabel};
    view.selection = Find("B");
    frm.MainTreeDragCopy(1, 1);
    // The gate is shut (the pointer was never on a +/- button): D stays closed.
    EXPECT_EQ(Dump(), "A|.B:6~30|..C:7|D|.B:6~30|..C:7");
    EXPECT_EQ(view.selection, Find("D")->FirstChild());
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(DragCopy, ACopyTheWindowCannotShowIsNotKept) {
    Build(tree(), "A|.B|C");
    view.hits[{1, 1}] = HitTest{Find("C"), kHitOnItem};
    view.selection = Find("A");
    view.refusedTexts.insert("B");
    EXPECT_THROW(frm.MainTreeDragCopy(1, 1), InsertError);
    EXPECT_EQ(Dump(), "A|.B|C");
    EXPECT_EQ(tree().Count(), 3);
    EXPECT_EQ(view.treeEvents.back(), "removing A");  // what the view showed of it goes too
}

}  // namespace
}  // namespace cv2
