#pragma once
// Undo and redo for an ItemTree: one step per editing command, the newest kLimit kept.
//
// A step keeps the very items the command took out (a deleted subtree is detached, not
// freed) and names places by the items around them, so recording and undoing cost what the
// command cost, not what the tree holds. Commands that replace the whole tree keep the
// other tree once. The items a step names stay valid only while every change that takes
// items out of the tree goes through here; one made past the history (a load) shows in the
// tree's revision, and then Stale() says that the steps must be forgotten (Clear) before
// anything else. Items added past the history harm nothing.
//
// Usage:
//   TreeHistory::Recording step(history, selection);   // before the command changes the tree
//   Item* item = tree.AppendChild(parent, "x");
//   history.Inserted(item);
//   step.Commit(item, Affects::UserFile);                // the selection the command leaves
//   ...
//   if (auto undone = history.Undo()) view.Select(undone->selection);
//
// Expansions a command causes are recorded when the tree's observer hands every expansion
// change to ExpandedChanged while a step is open.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "tree/ItemTree.h"

namespace cv2 {

// Which file holds what a step changes: the user file, or only the settings file (icons).
enum class Affects { UserFile, SettingsOnly };

// What an undo or redo leaves: the selection to restore, and whether the step was one
// that the user file holds.
struct HistoryMove {
    Item* selection = nullptr;
    bool userFile = false;
};

class TreeHistory {
public:
    static constexpr std::size_t kLimit = 100;

    explicit TreeHistory(ItemTree& tree);
    ~TreeHistory();
    TreeHistory(const TreeHistory&) = delete;
    TreeHistory& operator=(const TreeHistory&) = delete;

    // Opens a step for one command; Commit keeps it. A command that fails part-way leaves
    // without Commit: its step goes, and if it changed the tree's structure the history is
    // stale. A recording opened while another is open joins that one's step.
    class Recording {
    public:
        // `selection` is what an undo selects.
        Recording(TreeHistory& history, Item* selection);
        ~Recording();
        Recording(const Recording&) = delete;
        Recording& operator=(const Recording&) = delete;
        // `selection` is what a redo selects; a step that changed nothing is dropped.
        void Commit(Item* selection, Affects affects);

    private:
        TreeHistory& history_;
        const bool owner_;
        bool done_ = false;
    };

    // ---- the changes of a command, while its step is open ----
    // A subtree the command has just put into the tree.
    void Inserted(Item* root);
    // Takes the item with its subtree out of the tree, keeping it for undo.
    void Remove(Item* item);
    // ItemTree::Move, recorded when it moves the item.
    bool Move(Item* item, Item* target, AttachMode mode, const ExpandGate& gate);
    void SetText(Item* item, std::string text);
    void SetImageIndex(Item* item, int index);
    void SetSendChoice(Item* item, SendWay way, FollowUpChoice followUp);
    // Every item of `replacement` (left empty) in place of the tree's items, which are kept.
    void ReplaceAll(ItemTree& replacement);
    // The tree's observer hears that an item opened or closed.
    void ExpandedChanged(Item& item);

    // ---- undo and redo ----
    bool CanUndo() const { return !Stale() && !open_ && !done_.empty(); }
    bool CanRedo() const { return !Stale() && !open_ && !undone_.empty(); }
    // Nothing when there is nothing to undo (or redo). Should the view fail to show an item
    // on the way, the history is forgotten and the error goes on.
    std::optional<HistoryMove> Undo();
    std::optional<HistoryMove> Redo();

    // ---- the saved point and the history's own life ----
    // The tree as it is now is in the user file.
    void MarkSaved() { saved_ = current_; }
    // Whether the tree's contents (icons aside) are what was last saved.
    bool AtSaved() const { return saved_ && *saved_ == current_; }
    // The tree changed past the history: its steps no longer fit.
    bool Stale() const { return !open_ && tree_.Revision() != revision_; }
    // Forgets every step; `saved` tells whether the tree as it is now is in the user file.
    void Clear(bool saved);

private:
    struct Step;
    struct Change;

    bool Begin(Item* selection);
    void Commit(Item* selection, Affects affects);
    void Abandon();
    Change& Record(int kind, Item* item);
    // A change of the item's own attributes (text, icon, way of sending) by `set`.
    template <class Set>
    void ChangeAttributes(Item* item, Set set);
    void Apply(Step& step, bool forward);
    void Revert(Change& change);
    void Replay(Change& change);

    ItemTree& tree_;
    std::deque<std::unique_ptr<Step>> done_;     // oldest first
    std::vector<std::unique_ptr<Step>> undone_;  // the next redo last
    std::unique_ptr<Step> open_;
    std::unordered_set<const Item*> journaled_;  // items whose expansion the open step has
    std::uint64_t revision_;
    // The tree's contents are numbered; a step that changes them gets a new number.
    std::uint64_t current_ = 0;
    std::uint64_t lastNumber_ = 0;
    std::optional<std::uint64_t> saved_ = 0;
};

}  // namespace cv2
