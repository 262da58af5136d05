#include "tree/ItemTree.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "base/Error.h"

namespace cv2 {

IndexError::IndexError() : Error("不正なインデックス") {}
InsertError::InsertError() : Error("アイテムの挿入ができません") {}

int Item::Level() const {
    int level = 0;
    for (const Item* p = parent_; p; p = p->parent_) ++level;
    return level;
}

bool Item::IsDescendantOf(const Item* ancestor) const {
    for (const Item* p = parent_; p; p = p->parent_)
        if (p == ancestor) return true;
    return false;
}

Item* Item::Next() const {
    if (firstChild_) return firstChild_;
    for (const Item* n = this; n; n = n->parent_)
        if (n->next_) return n->next_;
    return nullptr;
}

Item* Item::Prev() const {
    if (!prev_) return parent_;
    Item* n = prev_;
    while (n->lastChild_) n = n->lastChild_;
    return n;
}

Item* ItemTree::AfterSubtree(const Item* item) {
    for (const Item* n = item; n; n = n->Parent())
        if (n->NextSibling()) return n->NextSibling();
    return nullptr;
}

void SubtreeDeleter::operator()(Item* item) const { ItemTree::FreeSubtree(item); }

ItemTree::~ItemTree() {
    while (first_) {
        Item* top = first_;
        first_ = top->next_;
        FreeSubtree(top);
    }
}

Item* ItemTree::NewItem(std::string text) { return new Item(std::move(text)); }

// Links a detached item (with its subtree) under `parent` (null: top level), right before
// `before` (null: as the last one).
void ItemTree::Link(Item* item, Item* parent, Item* before) {
    Item*& first = parent ? parent->firstChild_ : first_;
    Item*& last = parent ? parent->lastChild_ : last_;
    item->parent_ = parent;
    item->next_ = before;
    item->prev_ = before ? before->prev_ : last;
    if (item->prev_)
        item->prev_->next_ = item;
    else
        first = item;
    if (before)
        before->prev_ = item;
    else
        last = item;
}

void ItemTree::Unlink(Item* item) {
    ++revision_;
    Item*& first = item->parent_ ? item->parent_->firstChild_ : first_;
    Item*& last = item->parent_ ? item->parent_->lastChild_ : last_;
    if (item->prev_)
        item->prev_->next_ = item->next_;
    else
        first = item->next_;
    if (item->next_)
        item->next_->prev_ = item->prev_;
    else
        last = item->prev_;
    item->parent_ = item->prev_ = item->next_ = nullptr;
}

// Frees a detached subtree without recursion: a file can nest items as deep as it has lines.
void ItemTree::FreeSubtree(Item* item) {
    Item* n = item;
    while (n) {
        if (n->firstChild_) {
            n = n->firstChild_;
            continue;
        }
        if (n == item) {
            delete n;
            return;
        }
        Item* parent = n->parent_;  // n is its parent's first child
        parent->firstChild_ = n->next_;
        if (!n->next_) parent->lastChild_ = nullptr;
        Item* next = n->next_;
        delete n;
        n = next ? next : parent;
    }
}

Item* ItemTree::CloneSubtree(const Item* s) {
    auto clone = [this](const Item* from) {
        Item* to = NewItem(std::string());
        CopyAttributes(*from, *to);
        return to;
    };
    Item* root = clone(s);
    try {
        // Without recursion, like FreeSubtree: the copies of the ancestors of the item at hand.
        std::vector<std::pair<const Item*, Item*>> open{{s, root}};
        const Item* stop = AfterSubtree(s);
        for (const Item* n = s->Next(); n != stop; n = n->Next()) {
            while (open.back().first != n->parent_) open.pop_back();
            Item* copy = clone(n);
            Link(copy, open.back().second, nullptr);
            open.emplace_back(n, copy);
        }
    } catch (...) {
        FreeSubtree(root);
        throw;
    }
    return root;
}

int ItemTree::SubtreeSize(const Item* item) const {
    int size = 1;
    const Item* stop = AfterSubtree(item);
    for (const Item* n = item->Next(); n != stop; n = n->Next()) ++size;
    return size;
}

Item* ItemTree::AppendAtLevel(Item* ref, std::string text) {
    return AppendChild(ref ? ref->parent_ : nullptr, std::move(text));
}

Item* ItemTree::AppendChild(Item* parent, std::string text) {
    Item* item = NewItem(std::move(text));
    Link(item, parent, nullptr);
    ++count_;
    Changed();
    if (observer_) {
        try {
            observer_->ItemAdded(*item);
        } catch (...) {
            // The view could not show it (the control refused the insert): the model does not
            // keep an item nobody sees.
            Unlink(item);
            --count_;
            Changed();
            FreeSubtree(item);
            throw;
        }
    }
    return item;
}

void ItemTree::Delete(Item* item) { Detach(item); }

DetachedItem ItemTree::Detach(Item* item) {
    if (!item) return nullptr;
    if (observer_) observer_->ItemRemoving(*item);
    count_ -= SubtreeSize(item);
    Item* parent = item->parent_;
    Unlink(item);
    if (parent && !parent->firstChild_) CloseChildless(parent);
    Changed();
    return DetachedItem(item);
}

Item* ItemTree::Attach(DetachedItem& item, Item* parent, Item* before) {
    Item* root = item.get();
    if (!root) return nullptr;
    Link(root, parent, before);
    const int size = SubtreeSize(root);
    count_ += size;
    Changed();
    if (observer_) {
        try {
            observer_->SubtreeAdded(*root);
        } catch (...) {
            // The view takes back what it showed of it; the model keeps only what is shown.
            observer_->ItemRemoving(*root);
            Unlink(root);
            count_ -= size;
            Changed();
            throw;
        }
    }
    return item.release();
}

void ItemTree::Clear() {
    if (observer_ && first_) observer_->Clearing();
    while (first_) {
        Item* top = first_;
        Unlink(top);
        FreeSubtree(top);
    }
    count_ = 0;
    Changed();
}

void ItemTree::ReplaceWith(ItemTree& other) {
    if (&other == this) return;
    Clear();
    Adopt(other);
    AnnounceAll();
}

void ItemTree::SwapWith(ItemTree& other) {
    if (&other == this) return;
    if (observer_ && first_) observer_->Clearing();
    ItemTree mine;
    mine.Adopt(*this);
    Adopt(other);
    other.Adopt(mine);
    AnnounceAll();
}

void ItemTree::Adopt(ItemTree& other) {
    first_ = other.first_;
    last_ = other.last_;
    count_ = other.count_;
    other.first_ = other.last_ = nullptr;
    other.count_ = 0;
    ++other.revision_;
    ++revision_;
    other.Changed();
    Changed();
}

void ItemTree::AnnounceAll() {
    if (!observer_) return;
    for (Item* top = first_; top; top = top->next_) {
        try {
            observer_->SubtreeAdded(*top);
        } catch (...) {
            // The view stopped part-way through this subtree: it and the ones after it go,
            // so that the model holds what the view shows.
            Item* keptLast = top->prev_;
            observer_->ItemRemoving(*top);
            while (last_ != keptLast) {
                Item* drop = last_;
                count_ -= SubtreeSize(drop);
                Unlink(drop);
                FreeSubtree(drop);
            }
            Changed();
            throw;
        }
    }
}

bool ItemTree::Move(Item* s, Item* target, AttachMode mode, const ExpandGate& gate) {
    if (!s) return false;
    if (target && target->IsDescendantOf(s)) return false;

    Item* newParent = nullptr;
    Item* before = nullptr;  // null: last
    bool stays = false;
    switch (mode) {
        case AttachMode::AddChild:
            newParent = target;
            stays = target == s;
            break;
        case AttachMode::Add:
            newParent = target ? target->parent_ : nullptr;
            break;
        case AttachMode::Insert:
            newParent = target ? target->parent_ : nullptr;
            if (!target || target == s) {
                stays = target == s;
            } else if (target->prev_) {
                stays = target->prev_ == s;  // already right after the previous sibling
                before = target;
            } else {
                before = target;  // first among its siblings
            }
            break;
    }

    if (!stays) {
        Item* oldParent = s->parent_;
        bool wasOnlyChild = oldParent && oldParent->firstChild_ == s && oldParent->lastChild_ == s;
        if (observer_) observer_->ItemRemoving(*s);
        Unlink(s);
        Changed();
        if (wasOnlyChild) CloseChildless(oldParent);
        // The subtree is rebuilt at its new place: everything in it comes out collapsed.
        Item* stop = AfterSubtree(s);  // s is detached: this is null
        for (Item* n = s; n != stop; n = n->Next()) n->expanded_ = false;
        Link(s, newParent, before);
        Changed();
        if (observer_) observer_->SubtreeAdded(*s);
    }
    if (s->parent_) SetExpandedOne(s->parent_, true, gate);
    return !stays;
}

Item* ItemTree::Copy(const Item* s, Item* target, AttachMode mode, const ExpandGate& gate) {
    if (!s) return nullptr;
    Item* newParent = nullptr;
    Item* before = nullptr;  // null: last
    switch (mode) {
        case AttachMode::AddChild:
            newParent = target;
            break;
        case AttachMode::Add:
            newParent = target ? target->parent_ : nullptr;
            break;
        case AttachMode::Insert:
            newParent = target ? target->parent_ : nullptr;
            before = target;
            break;
    }
    // Made whole before it is linked in, so that a target inside the subtree of s does not
    // see its own copy.
    // A copy the view cannot show is freed again.
    DetachedItem detached(CloneSubtree(s));
    Item* copy = Attach(detached, newParent, before);
    if (copy->parent_) SetExpandedOne(copy->parent_, true, gate);
    return copy;
}

// A parent left without children is closed, whatever the gate says: nothing shows whether
// a childless item is open, and a child added later must find model and control agreeing
// that it is closed (the view closes it in the control too).
void ItemTree::CloseChildless(Item* item) {
    if (!item->expanded_) return;
    item->expanded_ = false;
    if (observer_) observer_->ExpandedChanged(*item);
}

void ItemTree::SetExpandedOne(Item* item, bool expanded, const ExpandGate& gate) {
    if (gate && !gate(*item, expanded)) return;
    if (item->expanded_ == expanded) return;
    item->expanded_ = expanded;
    if (observer_) observer_->ExpandedChanged(*item);
}

void ItemTree::Expand(Item* item, bool recursive, const ExpandGate& gate) {
    if (!item) return;
    Item* stop = AfterSubtree(item);
    for (Item* n = item; n && n != stop; n = n->Next()) {
        if (n->HasChildren()) SetExpandedOne(n, true, gate);
        if (!recursive) break;
    }
}

void ItemTree::Collapse(Item* item, bool recursive, const ExpandGate& gate) {
    if (!item) return;
    Item* stop = AfterSubtree(item);
    for (Item* n = item; n && n != stop; n = n->Next()) {
        if (n->HasChildren()) SetExpandedOne(n, false, gate);
        if (!recursive) break;
    }
}

void ItemTree::SetExpanded(Item* item, bool expanded) {
    if (item) SetExpandedOne(item, expanded, nullptr);
}

void ItemTree::SetText(Item* item, std::string text) {
    item->text_ = std::move(text);
    if (observer_) observer_->TextChanged(*item);
}

void ItemTree::SetImageIndex(Item* item, int index) {
    item->imageIndex_ = index;
    item->selectedIndex_ = index + 12;
    if (observer_) observer_->ImageChanged(*item);
}

void ItemTree::SetSelectedIndex(Item* item, int index) {
    item->selectedIndex_ = index;
    if (observer_) observer_->ImageChanged(*item);
}

void ItemTree::SetSendChoice(Item* item, SendWay way, FollowUpChoice followUp) {
    if (item->way_ == way && item->followUp_ == followUp) return;
    item->way_ = way;
    item->followUp_ = followUp;
    if (observer_) observer_->ImageChanged(*item);
}

void ItemTree::CopyAttributes(const Item& from, Item& to) {
    to.text_ = from.text_;
    to.imageIndex_ = from.imageIndex_;
    to.selectedIndex_ = from.selectedIndex_;
    to.way_ = from.way_;
    to.followUp_ = from.followUp_;
}

DetachedItem ItemTree::Snapshot(const Item& item) {
    DetachedItem copy(new Item(std::string()));
    CopyAttributes(item, *copy);
    return copy;
}

void ItemTree::RestoreAttributes(Item* item, const Item& snapshot) {
    CopyAttributes(snapshot, *item);
    if (!observer_) return;
    observer_->TextChanged(*item);
    observer_->ImageChanged(*item);
}

Item* ItemTree::ItemAt(int index) const {
    if (index < 0 || index >= count_) throw IndexError();
    Item* found = nullptr;
    if (cacheItem_ && std::abs(index - cacheIndex_) <= 1) {
        if (index == cacheIndex_)
            found = cacheItem_;
        else if (index == cacheIndex_ + 1)
            found = cacheItem_->Next();
        else
            found = cacheItem_->Prev();
    } else {
        found = first_;
        for (int i = 0; i < index && found; ++i) found = found->Next();
    }
    if (!found) throw IndexError();
    cacheItem_ = found;
    cacheIndex_ = index;
    return found;
}

int ItemTree::IndexOf(const Item* item) const {
    if (item && item == cacheItem_) return cacheIndex_;
    int index = 0;
    for (const Item* n = first_; n; n = n->Next(), ++index)
        if (n == item) return index;
    return -1;
}

bool ItemTree::Contains(const Item* item) const {
    if (!item) return false;
    for (const Item* n = first_; n; n = n->Next())
        if (n == item) return true;
    return false;
}

}  // namespace cv2
