#include "tree/VisibleRows.h"

namespace cv2 {
namespace {

// The row that shows `item`: the item itself, or the outermost collapsed item above it.
Item* RowOf(Item* item) {
    Item* row = item;
    for (Item* p = item->Parent(); p; p = p->Parent())
        if (!p->Expanded()) row = p;
    return row;
}

}  // namespace

Item* NextVisibleRow(const ItemTree& tree, Item* item) {
    if (!item) return tree.First();
    Item* row = RowOf(item);
    if (row == item && item->Expanded()) return item->FirstChild();
    for (Item* n = row; n; n = n->Parent())
        if (n->NextSibling()) return n->NextSibling();
    return nullptr;
}

Item* PreviousVisibleRow(const ItemTree& tree, Item* item) {
    if (!item) return tree.First();
    Item* row = RowOf(item);
    if (row != item) return row;
    Item* p = item->PrevSibling();
    if (!p) return item->Parent();
    while (p->Expanded()) p = p->LastChild();
    return p;
}

}  // namespace cv2
