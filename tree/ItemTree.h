#pragma once
// The item tree: an ordered forest of short Shift-JIS texts with an icon each, and for an
// item the user chose it for, a way of sending of its own.
//
// The model is the truth; the tree control only mirrors it. Whoever shows the tree
// registers a TreeObserver and hears of every change after it was made (removals just
// before). Items are linked both ways so that pre-order steps cost O(1); absolute
// indices (pre-order positions over the whole forest, collapsed parents included) are
// served by a one-entry cache so that loops over all items stay linear.
//
// Usage:
//   ItemTree tree;
//   Item* a = tree.AppendAtLevel(nullptr, "A");
//   tree.AppendChild(a, "B");
//   for (int i = 0; i < tree.Count(); ++i) Use(tree.ItemAt(i));
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/SendChoice.h"

namespace cv2 {

class Item;
class ItemTree;

// Frees an item with its whole subtree: the owner of items that are in no tree.
struct SubtreeDeleter {
    void operator()(Item* item) const;
};
// An item that belongs to no tree, with its subtree: taken out of a tree to be put back
// later, or a snapshot of one item's attributes.
using DetachedItem = std::unique_ptr<Item, SubtreeDeleter>;

class Item {
public:
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    const std::string& Text() const { return text_; }
    int ImageIndex() const { return imageIndex_; }
    int SelectedIndex() const { return selectedIndex_; }
    SendWay Way() const { return way_; }
    FollowUpChoice FollowUp() const { return followUp_; }
    // Whether the item is sent otherwise than the window's settings say.
    bool HasSendChoice() const { return way_ != SendWay::Default || followUp_ != FollowUpChoice::Default; }

    Item* Parent() const { return parent_; }
    Item* FirstChild() const { return firstChild_; }
    Item* LastChild() const { return lastChild_; }
    Item* PrevSibling() const { return prev_; }
    Item* NextSibling() const { return next_; }
    bool HasChildren() const { return firstChild_ != nullptr; }
    // Whether the children are shown; false for an item without children.
    bool Expanded() const { return expanded_ && firstChild_ != nullptr; }
    // 0 for a top-level item.
    int Level() const;
    // True when this item lies in the subtree below `ancestor` (not the item itself).
    bool IsDescendantOf(const Item* ancestor) const;

    // Pre-order neighbours over the whole forest, or null.
    Item* Next() const;
    Item* Prev() const;

private:
    friend class ItemTree;
    explicit Item(std::string text) : text_(std::move(text)) {}

    std::string text_;
    int imageIndex_ = 0;
    int selectedIndex_ = 0;
    SendWay way_ = SendWay::Default;
    FollowUpChoice followUp_ = FollowUpChoice::Default;
    bool expanded_ = false;
    Item* parent_ = nullptr;
    Item* firstChild_ = nullptr;
    Item* lastChild_ = nullptr;
    Item* prev_ = nullptr;
    Item* next_ = nullptr;
};

// Told of every change of an ItemTree, in the order the changes happen.
class TreeObserver {
public:
    virtual ~TreeObserver() = default;
    // A new item (a leaf) was linked in.
    virtual void ItemAdded(Item& item) = 0;
    // `item` and its subtree are about to be unlinked (and freed, unless they are moving).
    virtual void ItemRemoving(Item& item) = 0;
    // Every item is about to go.
    virtual void Clearing() = 0;
    // `item` and its whole subtree were linked in at a new place (after a move).
    virtual void SubtreeAdded(Item& item) = 0;
    virtual void TextChanged(Item& item) = 0;
    // The item's icon changed, or its send choice, which the view shows on the icon.
    virtual void ImageChanged(Item& item) = 0;
    virtual void ExpandedChanged(Item& item) = 0;
};

// Asked once for every item with children that is about to be expanded (true) or
// collapsed (false); the change happens only when it answers true.
using ExpandGate = std::function<bool(Item& item, bool expanding)>;

enum class AttachMode {
    AddChild,  // as the last child of the target
    Add,       // at the end of the target's level (the top level when there is no target)
    Insert,    // right before the target
};

class ItemTree {
public:
    ItemTree() = default;
    ~ItemTree();
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;

    void SetObserver(TreeObserver* observer) { observer_ = observer; }

    Item* First() const { return first_; }
    Item* LastTopLevel() const { return last_; }
    bool Empty() const { return first_ == nullptr; }
    int Count() const { return count_; }

    // A new item as the last one of `ref`'s level: the last child of ref's parent, or the
    // last top-level item when ref is top-level or null. Not right after ref.
    Item* AppendAtLevel(Item* ref, std::string text);
    // A new item as the last child of `parent`, or the last top-level item for null.
    Item* AppendChild(Item* parent, std::string text);
    // Removes the item with its whole subtree.
    void Delete(Item* item);
    void Clear();
    // Takes every item of `other` (which is left empty) in place of this tree's items.
    void ReplaceWith(ItemTree& other);
    // Exchanges the items of the two trees; only this tree's observer is told.
    void SwapWith(ItemTree& other);

    // Takes the item with its subtree out of the tree, whole, for putting it back later. An
    // old parent left without children is closed, as by Delete.
    DetachedItem Detach(Item* item);
    // Puts a detached subtree in as a child of `parent` (null: top level) right before
    // `before` (null: as the last one), with the expansion its items had; `item` is left
    // empty. When the view cannot show it, the subtree stays in `item` and the error goes on.
    Item* Attach(DetachedItem& item, Item* parent, Item* before);

    // Moves `s` with its subtree (see AttachMode). Does nothing at all when `target` lies
    // below `s`. The moved subtree arrives collapsed; an old parent left without children
    // is collapsed and the new parent expanded, both through `gate`. Returns whether `s`
    // changed its place.
    bool Move(Item* s, Item* target, AttachMode mode, const ExpandGate& gate);
    // Puts a copy of `s` with its subtree (texts, icons, send choices) where Move would put
    // `s`; the original stays. The copy arrives collapsed, and the new parent is expanded
    // through `gate`. A target inside the subtree of `s` is allowed: the copy is made first.
    // Returns the copy.
    Item* Copy(const Item* s, Item* target, AttachMode mode, const ExpandGate& gate);

    // Expands or collapses the item (and, when recursive, every item of its subtree in
    // pre-order), asking the gate for each one that has children.
    void Expand(Item* item, bool recursive, const ExpandGate& gate);
    void Collapse(Item* item, bool recursive, const ExpandGate& gate);
    // Sets the expanded state without asking: for a view mirroring a change the gate allowed.
    void SetExpanded(Item* item, bool expanded);

    void SetText(Item* item, std::string text);
    // Image index and selected image index (index + 12) together.
    void SetImageIndex(Item* item, int index);
    void SetSelectedIndex(Item* item, int index);
    void SetSendChoice(Item* item, SendWay way, FollowUpChoice followUp);
    // The first item in pre-order after the subtree of `item`, or null.
    static Item* AfterSubtree(const Item* item);
    // A childless item outside the tree holding the attributes `item` has now.
    static DetachedItem Snapshot(const Item& item);
    // Gives `item` the attributes of a snapshot.
    void RestoreAttributes(Item* item, const Item& snapshot);

    // The item at an absolute index; throws IndexError for a bad one.
    Item* ItemAt(int index) const;
    // The absolute index of an item of this tree.
    int IndexOf(const Item* item) const;

    // Whether `item` is (still) an item of this tree. O(n); for checks, not for loops.
    bool Contains(const Item* item) const;

    // Counts the changes that take items out of their places (deleted, moved, handed to
    // another tree); adding items leaves it. Whoever keeps item pointers and places across
    // changes can tell from it that someone else may have freed or moved them meanwhile.
    std::uint64_t Revision() const { return revision_; }

private:
    friend struct SubtreeDeleter;
    // Everything an item carries besides its place, its children and its expansion: the one
    // list of the attributes, for snapshots and copies.
    static void CopyAttributes(const Item& from, Item& to);
    // Takes the items of `other` (left empty) into this empty tree, telling no one.
    void Adopt(ItemTree& other);
    // Tells the observer of every top-level subtree; a subtree it cannot take goes, with
    // those after it.
    void AnnounceAll();
    Item* NewItem(std::string text);
    void Link(Item* item, Item* parent, Item* before);
    void Unlink(Item* item);
    static void FreeSubtree(Item* item);
    // A detached copy of the subtree of `s`.
    Item* CloneSubtree(const Item* s);
    int SubtreeSize(const Item* item) const;
    void SetExpandedOne(Item* item, bool expanded, const ExpandGate& gate);
    void CloseChildless(Item* item);
    void Changed() { cacheItem_ = nullptr; }

    Item* first_ = nullptr;
    Item* last_ = nullptr;
    int count_ = 0;
    std::uint64_t revision_ = 0;
    TreeObserver* observer_ = nullptr;
    mutable Item* cacheItem_ = nullptr;
    mutable int cacheIndex_ = -1;
};

}  // namespace cv2
