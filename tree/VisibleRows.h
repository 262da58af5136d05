#pragma once
// The rows a tree shows: its items in pre-order, leaving out those inside a collapsed item.
#include "tree/ItemTree.h"

namespace cv2 {

// The row after `item`; the first row for no item; null after the last row. For an item
// inside a collapsed one, the row after the collapsed one's subtree.
Item* NextVisibleRow(const ItemTree& tree, Item* item);
// The row before `item`; the first row for no item; null before the first row. For an item
// inside a collapsed one, the row it is hidden in.
Item* PreviousVisibleRow(const ItemTree& tree, Item* item);

}  // namespace cv2
