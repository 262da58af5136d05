#include "tree/TreeHistory.h"

#include <utility>

namespace cv2 {
namespace {

enum Kind { kInsert, kRemove, kMove, kAttributes, kReplace };

// A place in the tree: under `parent` (null: the top level), right before `before` (null:
// as the last one). The items named are those of the tree as the change left it, which is
// the tree an undo of that change finds.
struct Place {
    Item* parent = nullptr;
    Item* before = nullptr;
};

Place PlaceOf(const Item* item) { return {item->Parent(), item->NextSibling()}; }

struct Expansion {
    Item* item;
    bool before;
    bool after;
};

// Opens or closes an item that has children; a childless one has nothing to show.
void SetExpansion(ItemTree& tree, Item* item, bool expanded) {
    if (item->HasChildren()) tree.SetExpanded(item, expanded);
}

}  // namespace

struct TreeHistory::Change {
    int kind;
    Item* item;
    Place from, to;
    DetachedItem held;                // Remove while done, Insert while undone; Attributes: before
    DetachedItem after;               // Attributes: after
    std::vector<Item*> opened;        // Move: the items of the subtree that were open before it
    std::unique_ptr<ItemTree> other;  // Replace: the items not in the tree
};

struct TreeHistory::Step {
    std::vector<Change> changes;
    std::vector<Expansion> expansions;  // each item once, as the command found and left it
    Item* selectionBefore = nullptr;
    Item* selectionAfter = nullptr;
    std::uint64_t before = 0;  // the numbers of the tree's contents
    std::uint64_t after = 0;
    bool userFile = true;
};

TreeHistory::TreeHistory(ItemTree& tree) : tree_(tree), revision_(tree.Revision()) {}

TreeHistory::~TreeHistory() = default;

TreeHistory::Recording::Recording(TreeHistory& history, Item* selection)
    : history_(history), owner_(history.Begin(selection)) {}

TreeHistory::Recording::~Recording() {
    if (owner_ && !done_) history_.Abandon();
}

void TreeHistory::Recording::Commit(Item* selection, Affects affects) {
    if (!owner_ || done_) return;
    done_ = true;
    history_.Commit(selection, affects);
}

bool TreeHistory::Begin(Item* selection) {
    if (open_) return false;  // a command inside a command: its changes join the step
    if (Stale()) Clear(false);
    open_ = std::make_unique<Step>();
    open_->selectionBefore = selection;
    return true;
}

void TreeHistory::Commit(Item* selection, Affects affects) {
    std::unique_ptr<Step> step = std::move(open_);
    journaled_.clear();
    revision_ = tree_.Revision();
    // Opening and closing alone is no step of its own.
    if (!step || step->changes.empty()) return;
    step->selectionAfter = selection;
    for (Expansion& e : step->expansions) e.after = e.item->Expanded();
    step->userFile = affects == Affects::UserFile;
    step->before = current_;
    step->after = step->userFile ? ++lastNumber_ : current_;
    current_ = step->after;
    undone_.clear();
    done_.push_back(std::move(step));
    while (done_.size() > kLimit) done_.pop_front();
}

// The command failed part-way. Its step goes; if the tree's structure changed meanwhile,
// the revision makes the history stale, and the caller forgets it.
void TreeHistory::Abandon() {
    open_.reset();
    journaled_.clear();
}

void TreeHistory::Clear(bool saved) {
    done_.clear();
    undone_.clear();
    open_.reset();
    journaled_.clear();
    current_ = ++lastNumber_;
    saved_ = saved ? std::optional<std::uint64_t>(current_) : std::nullopt;
    revision_ = tree_.Revision();
}

TreeHistory::Change& TreeHistory::Record(int kind, Item* item) {
    Change& change = open_->changes.emplace_back();
    change.kind = kind;
    change.item = item;
    return change;
}

void TreeHistory::Inserted(Item* root) {
    if (!open_ || !root) return;
    Record(kInsert, root).to = PlaceOf(root);
}

void TreeHistory::Remove(Item* item) {
    if (!item) return;
    const Place from = PlaceOf(item);
    DetachedItem held = tree_.Detach(item);
    if (!open_) return;
    Change& change = Record(kRemove, item);
    change.from = from;
    change.held = std::move(held);
}

bool TreeHistory::Move(Item* item, Item* target, AttachMode mode, const ExpandGate& gate) {
    if (!item) return false;
    const Place from = PlaceOf(item);
    // The move closes the whole subtree: what was open is kept for the way back.
    std::vector<Item*> opened;
    const Item* stop = ItemTree::AfterSubtree(item);
    for (Item* n = item; n != stop; n = n->Next())
        if (n->Expanded()) opened.push_back(n);
    if (!tree_.Move(item, target, mode, gate)) return false;
    if (!open_) return true;
    Change& change = Record(kMove, item);
    change.from = from;
    change.to = PlaceOf(item);
    change.opened = std::move(opened);
    return true;
}

template <class Set>
void TreeHistory::ChangeAttributes(Item* item, Set set) {
    DetachedItem before = open_ ? ItemTree::Snapshot(*item) : DetachedItem{};
    set();
    if (!open_) return;
    Change& change = Record(kAttributes, item);
    change.held = std::move(before);
    change.after = ItemTree::Snapshot(*item);
}

void TreeHistory::SetText(Item* item, std::string text) {
    ChangeAttributes(item, [&] { tree_.SetText(item, std::move(text)); });
}

void TreeHistory::SetImageIndex(Item* item, int index) {
    ChangeAttributes(item, [&] { tree_.SetImageIndex(item, index); });
}

void TreeHistory::SetSendChoice(Item* item, SendWay way, FollowUpChoice followUp) {
    ChangeAttributes(item, [&] { tree_.SetSendChoice(item, way, followUp); });
}

void TreeHistory::ReplaceAll(ItemTree& replacement) {
    tree_.SwapWith(replacement);
    if (!open_) {
        replacement.Clear();
        return;
    }
    Change& change = Record(kReplace, nullptr);
    change.other = std::make_unique<ItemTree>();
    change.other->SwapWith(replacement);
}

void TreeHistory::ExpandedChanged(Item& item) {
    if (!open_ || !journaled_.insert(&item).second) return;
    // The tree tells of a change after it: the item was the other way before.
    open_->expansions.push_back({&item, !item.Expanded(), false});
}

std::optional<HistoryMove> TreeHistory::Undo() {
    if (!CanUndo()) return std::nullopt;
    std::unique_ptr<Step> step = std::move(done_.back());
    done_.pop_back();
    Apply(*step, false);
    current_ = step->before;
    const HistoryMove move{step->selectionBefore, step->userFile};
    undone_.push_back(std::move(step));
    return move;
}

std::optional<HistoryMove> TreeHistory::Redo() {
    if (!CanRedo()) return std::nullopt;
    std::unique_ptr<Step> step = std::move(undone_.back());
    undone_.pop_back();
    Apply(*step, true);
    current_ = step->after;
    const HistoryMove move{step->selectionAfter, step->userFile};
    done_.push_back(std::move(step));
    return move;
}

void TreeHistory::Apply(Step& step, bool forward) {
    try {
        if (forward) {
            for (Change& change : step.changes) Replay(change);
            for (const Expansion& e : step.expansions) SetExpansion(tree_, e.item, e.after);
        } else {
            for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) Revert(*it);
            for (auto it = step.expansions.rbegin(); it != step.expansions.rend(); ++it)
                SetExpansion(tree_, it->item, it->before);
        }
    } catch (...) {
        // The view could not show an item: the tree is what the view shows, which no step
        // describes any more.
        Clear(false);
        throw;
    }
    revision_ = tree_.Revision();
}

void TreeHistory::Revert(Change& change) {
    switch (change.kind) {
        case kInsert:
            change.held = tree_.Detach(change.item);
            break;
        case kRemove:
            tree_.Attach(change.held, change.from.parent, change.from.before);
            break;
        case kMove: {
            DetachedItem moving = tree_.Detach(change.item);
            for (Item* n : change.opened) tree_.SetExpanded(n, true);
            tree_.Attach(moving, change.from.parent, change.from.before);
            break;
        }
        case kAttributes:
            tree_.RestoreAttributes(change.item, *change.held);
            break;
        case kReplace:
            tree_.SwapWith(*change.other);
            break;
    }
}

void TreeHistory::Replay(Change& change) {
    switch (change.kind) {
        case kInsert:
            tree_.Attach(change.held, change.to.parent, change.to.before);
            break;
        case kRemove:
            change.held = tree_.Detach(change.item);
            break;
        case kMove: {
            DetachedItem moving = tree_.Detach(change.item);
            for (Item* n : change.opened) tree_.SetExpanded(n, false);
            tree_.Attach(moving, change.to.parent, change.to.before);
            break;
        }
        case kAttributes:
            tree_.RestoreAttributes(change.item, *change.after);
            break;
        case kReplace:
            tree_.SwapWith(*change.other);
            break;
    }
}

}  // namespace cv2
