#pragma once
// Test helpers: a tree written as one line, "A|.a1|..x|.a2|B" (a dot per level), built and
// read back without the code under test's own walks.
#include <string>
#include <vector>

#include "tree/ItemTree.h"

namespace cv2::testing {

// Items in pre-order, found by following child and sibling links only.
inline std::vector<Item*> PreOrder(const ItemTree& tree) {
    std::vector<Item*> items;
    std::vector<Item*> stack;
    for (Item* top = tree.LastTopLevel(); top; top = top->PrevSibling()) stack.push_back(top);
    while (!stack.empty()) {
        Item* n = stack.back();
        stack.pop_back();
        items.push_back(n);
        for (Item* c = n->LastChild(); c; c = c->PrevSibling()) stack.push_back(c);
    }
    return items;
}

inline std::string Shape(const ItemTree& tree) {
    std::string out;
    std::vector<std::pair<Item*, int>> stack;
    for (Item* top = tree.LastTopLevel(); top; top = top->PrevSibling()) stack.push_back({top, 0});
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        if (!out.empty()) out += '|';
        out.append(static_cast<std::size_t>(level), '.');
        out += n->Text();
        for (Item* c = n->LastChild(); c; c = c->PrevSibling()) stack.push_back({c, level + 1});
    }
    return out;
}

// Builds the tree of a shape written as Shape() writes it (texts without "|" or a leading ".").
inline void Build(ItemTree& tree, const std::string& shape) {
    std::vector<Item*> path;  // the last item seen on each level
    std::size_t pos = 0;
    while (pos <= shape.size() && !shape.empty()) {
        std::size_t end = shape.find('|', pos);
        if (end == std::string::npos) end = shape.size();
        std::string piece = shape.substr(pos, end - pos);
        std::size_t level = 0;
        while (level < piece.size() && piece[level] == '.') ++level;
        path.resize(level);
        Item* parent = level ? path[level - 1] : nullptr;
        path.push_back(tree.AppendChild(parent, piece.substr(level)));
        pos = end + 1;
    }
}

// The item with this text (the first in pre-order).
inline Item* Find(const ItemTree& tree, const std::string& text) {
    for (Item* n : PreOrder(tree))
        if (n->Text() == text) return n;
    return nullptr;
}

}  // namespace cv2::testing
