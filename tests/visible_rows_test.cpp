// The row after and before an item, as a tree shows its rows.
#include <gtest/gtest.h>

#include "tests/support/TreeShape.h"
#include "tree/VisibleRows.h"

namespace cv2 {
namespace {

std::string TextOf(const Item* item) { return item ? item->Text() : "-"; }

TEST(VisibleRows, NextAndPreviousSkipWhatCollapsedItemsHide) {
    // Rows: A a1 x a2 B C; a2 and B are collapsed, hiding y and b1.
    ItemTree tree;
    testing::Build(tree, "A+|.a1+|..x|.a2|..y|B|.b1|C");
    struct Step {
        const char* from;
        const char* next;
        const char* previous;
    };
    const Step steps[] = {
        {"A", "a1", "-"}, {"a1", "x", "A"}, {"x", "a2", "a1"}, {"a2", "B", "x"},
        {"B", "C", "a2"}, {"C", "-", "B"},  {"y", "B", "a2"},  {"b1", "C", "B"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.from);
        Item* from = testing::Find(tree, s.from);
        EXPECT_EQ(TextOf(NextVisibleRow(tree, from)), s.next);
        EXPECT_EQ(TextOf(PreviousVisibleRow(tree, from)), s.previous);
    }
    EXPECT_EQ(TextOf(NextVisibleRow(tree, nullptr)), "A");
    EXPECT_EQ(TextOf(PreviousVisibleRow(tree, nullptr)), "A");
}

TEST(VisibleRows, AnItemHiddenDeepDownBelongsToItsOutermostCollapsedRow) {
    ItemTree tree;
    testing::Build(tree, "A|.b+|..c|D");  // b is open, but inside the collapsed A
    Item* c = testing::Find(tree, "c");
    EXPECT_EQ(TextOf(NextVisibleRow(tree, c)), "D");
    EXPECT_EQ(TextOf(PreviousVisibleRow(tree, c)), "A");
    ItemTree empty;
    EXPECT_EQ(NextVisibleRow(empty, nullptr), nullptr);
}

}  // namespace
}  // namespace cv2
