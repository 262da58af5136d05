#pragma once
// A tree written as one line and read back, without the code under test's own walks.
//
// Items in pre-order separated by "|", a dot per level: "A|.a1|..x|.a2|B". After the text
// come the marks of what differs from a new item: "+" expanded, ":n" icon n,
// "/s" selected icon s when it is not the icon + 12 (items given no icon have 0 and 0), and
// "~wf" an own way of sending w and follow-up key f (the numbers the settings file stores).
// Example: "A+|.a1:3|..x~20|B/5".
#include <string>
#include <utility>
#include <vector>

#include "tree/ItemTree.h"

namespace cv2::testing {

inline constexpr int kSelectedOffset = 12;

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

// One item as Dump writes it, from what a tree shows of it: its level, text, expansion and
// icons. The tree control of the Windows tests is written with it too.
inline std::string DumpEntry(int level, const std::string& text, bool expanded, int image, int selected) {
    std::string out(static_cast<std::size_t>(level), '.');
    out += text;
    if (expanded) out += '+';
    if (image != 0) out += ":" + std::to_string(image);
    if (selected != image + kSelectedOffset && !(image == 0 && selected == 0)) out += "/" + std::to_string(selected);
    return out;
}

inline std::string Dump(const ItemTree& tree) {
    std::string out;
    for (const Item* n : PreOrder(tree)) {
        int level = 0;
        for (const Item* p = n->Parent(); p; p = p->Parent()) ++level;
        if (!out.empty()) out += '|';
        out += DumpEntry(level, n->Text(), n->Expanded(), n->ImageIndex(), n->SelectedIndex());
        if (n->HasSendChoice())
            out += "~" + std::to_string(static_cast<int>(n->Way())) + std::to_string(static_cast<int>(n->FollowUp()));
    }
    return out;
}

// Builds the tree of a line written as Dump writes it (texts without "|", "+", ":", "/" or "~",
// and not starting with "."). Expansion marks are set on the items directly.
inline void Build(ItemTree& tree, const std::string& shape) {
    std::vector<Item*> path;  // the last item seen on each level
    std::vector<Item*> expanded;
    std::size_t pos = 0;
    while (pos <= shape.size() && !shape.empty()) {
        std::size_t end = shape.find('|', pos);
        if (end == std::string::npos) end = shape.size();
        std::string piece = shape.substr(pos, end - pos);
        std::size_t level = 0;
        while (level < piece.size() && piece[level] == '.') ++level;
        std::size_t textEnd = piece.find_first_of("+:/~", level);
        std::string marks = textEnd == std::string::npos ? "" : piece.substr(textEnd);
        path.resize(level);
        Item* parent = level ? path[level - 1] : nullptr;
        Item* item = tree.AppendChild(parent, piece.substr(level, textEnd - level));
        path.push_back(item);
        if (marks.find('+') != std::string::npos) expanded.push_back(item);
        if (std::size_t colon = marks.find(':'); colon != std::string::npos)
            tree.SetImageIndex(item, std::stoi(marks.substr(colon + 1)));
        if (std::size_t slash = marks.find('/'); slash != std::string::npos)
            tree.SetSelectedIndex(item, std::stoi(marks.substr(slash + 1)));
        if (std::size_t tilde = marks.find('~'); tilde != std::string::npos && tilde + 2 < marks.size())
            tree.SetSendChoice(item, static_cast<SendWay>(marks[tilde + 1] - '0'),
                               static_cast<FollowUpChoice>(marks[tilde + 2] - '0'));
        pos = end + 1;
    }
    // Children first: an item can only be expanded once it has them.
    for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) tree.SetExpanded(*it, true);
}

// The item with this text (the first in pre-order).
inline Item* Find(const ItemTree& tree, const std::string& text) {
    for (Item* n : PreOrder(tree))
        if (n->Text() == text) return n;
    return nullptr;
}

}  // namespace cv2::testing
