// The row after and before an item, as a tree shows its rows.
#include <gtest/gtest.h>

#include "tests/support/TreeShape.h"
#include "tree/VisibleRows.h"

namespace cv2 {
namespace {

TEST(VisibleRows, NextAndPreviousSkipWhatCollapsedItemsHide) {
    // Rows: A a1 x a2 B C; a2 and B are collapsed, hiding y and b1 (and z, though its own
    // parent is open).
    ItemTree tree;
    testing::Build(tree, "A+|.a1+|..x|.a2|..y|B|.b1+|..z|C");
    auto text = [](const Item* item) { return item ? item->Text() : std::string("-"); };
    // from, next, previous
    const char* const steps[][3] = {{"A", "a1", "-"}, {"a1", "x", "A"}, {"x", "a2", "a1"}, {"a2", "B", "x"},
                                    {"B", "C", "a2"}, {"C", "-", "B"},  {"y", "B", "a2"},  {"z", "C", "B"}};
    for (const auto& s : steps) {
        Item* from = testing::Find(tree, s[0]);
        EXPECT_EQ(text(NextVisibleRow(tree, from)), s[1]) << s[0];
        EXPECT_EQ(text(PreviousVisibleRow(tree, from)), s[2]) << s[0];
    }
    EXPECT_EQ(text(NextVisibleRow(tree, nullptr)), "A");
    EXPECT_EQ(text(PreviousVisibleRow(tree, nullptr)), "A");
    EXPECT_EQ(NextVisibleRow(ItemTree(), nullptr), nullptr);
}

}  // namespace
}  // namespace cv2
