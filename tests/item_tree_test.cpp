#include <ctime>
#include <random>

#include <gtest/gtest.h>

#include "tests/support/TreeShape.h"
#include "base/Error.h"
#include "tree/ItemTree.h"

namespace cv2 {
namespace {

using testing::Build;
using testing::Dump;
using testing::Find;
using testing::PreOrder;

// A gate that records what it was asked and answers `allow`.
struct Gate {
    bool allow = true;
    std::vector<std::string> asked;  // "+text" for expand, "-text" for collapse
    ExpandGate Fn() {
        return [this](Item& item, bool expanding) {
            asked.push_back((expanding ? "+" : "-") + item.Text());
            return allow;
        };
    }
};

// Every item at its absolute index and back, compared with a pre-order list made from links.
void ExpectIndicesMatch(const ItemTree& tree) {
    std::vector<Item*> ref = PreOrder(tree);
    ASSERT_EQ(tree.Count(), static_cast<int>(ref.size()));
    for (int i = 0; i < tree.Count(); ++i) ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]) << i;
    for (int i = tree.Count() - 1; i >= 0; --i) ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]) << i;
    for (int i = 0; i < tree.Count(); ++i) ASSERT_EQ(tree.IndexOf(ref[static_cast<std::size_t>(i)]), i);
}

TEST(ItemTree, AbsoluteIndexIsPreOrderOverTheWholeForest) {
    ItemTree tree;
    Build(tree, "A|.B|.C|..D|E");
    const char* expected[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.ItemAt(i)->Text(), expected[i]);
    for (int i : {-1, 5, 1000}) {
        try {
            tree.ItemAt(i);
            FAIL() << i;
        } catch (const IndexError& e) {
            EXPECT_STREQ(e.what(), "不正なインデックス");
        }
    }
    EXPECT_THROW(ItemTree().ItemAt(0), IndexError);
    EXPECT_EQ(tree.IndexOf(nullptr), -1);
    tree.ItemAt(2);
    tree.AppendChild(nullptr, "F");  // empties the cache
    EXPECT_EQ(tree.IndexOf(nullptr), -1);
}

TEST(ItemTree, AppendAtLevelGoesToTheEndOfTheLevel) {
    ItemTree tree;
    Build(tree, "A|.a1|.a2|B");
    tree.AppendAtLevel(Find(tree, "a1"), "n1");
    tree.AppendAtLevel(Find(tree, "A"), "n2");
    tree.AppendAtLevel(nullptr, "n3");
    EXPECT_EQ(Dump(tree), "A|.a1|.a2|.n1|B|n2|n3");
    EXPECT_EQ(tree.Count(), 7);
}

TEST(ItemTree, DeleteAndClearCountWholeSubtrees) {
    ItemTree tree;
    Build(tree, "A|.B|..C|..D|E|.F");
    tree.Delete(Find(tree, "B"));
    EXPECT_EQ(Dump(tree), "A|E|.F");
    EXPECT_EQ(tree.Count(), 3);
    EXPECT_FALSE(Find(tree, "A")->HasChildren());
    tree.Delete(Find(tree, "E"));
    EXPECT_EQ(tree.LastTopLevel(), Find(tree, "A"));
    EXPECT_EQ(tree.Count(), 1);
    tree.Clear();
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.LastTopLevel(), nullptr);
}

TEST(ItemTree, AParentThatLostItsLastChildIsClosedForTheNextOne) {
    ItemTree tree;
    Build(tree, "A|.B");
    Item* a = Find(tree, "A");
    tree.SetExpanded(a, true);
    tree.Delete(Find(tree, "B"));
    tree.AppendChild(a, "C");
    EXPECT_FALSE(a->Expanded());
}

// ---- Move ----

struct MoveCase {
    const char* name;
    const char* s;
    const char* target;  // null: none
    AttachMode mode;
    const char* after;
    bool moved;
};

TEST(ItemTreeMove, Places) {
    const std::string start = "A|.a1|.a2|..x|.a3|B|.b1|C";
    const MoveCase cases[] = {
        {"as last child", "C", "a2", AttachMode::AddChild, "A|.a1|.a2+|..x|..C|.a3|B|.b1", true},
        {"end of the target's level", "b1", "a1", AttachMode::Add, "A+|.a1|.a2|..x|.a3|.b1|B|C", true},
        {"end of the top level", "a2", nullptr, AttachMode::Add, "A|.a1|.a3|B|.b1|C|a2|.x", true},
        {"end of the top level through a top-level target", "a1", "B", AttachMode::Add, "A|.a2|..x|.a3|B|.b1|C|a1",
         true},
        {"before an item", "C", "a2", AttachMode::Insert, "A+|.a1|.C|.a2|..x|.a3|B|.b1", true},
        {"before the first sibling", "a3", "a1", AttachMode::Insert, "A+|.a3|.a1|.a2|..x|B|.b1|C", true},
        {"before the first top-level item", "b1", "A", AttachMode::Insert, "b1|A|.a1|.a2|..x|.a3|B|C", true},
        {"later sibling forward", "a1", "a3", AttachMode::Insert, "A+|.a2|..x|.a1|.a3|B|.b1|C", true},
        {"before itself", "a2", "a2", AttachMode::Insert, "A+|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"before its next sibling", "a2", "a3", AttachMode::Insert, "A+|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"onto itself", "a2", "a2", AttachMode::AddChild, "A+|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"onto its child", "A", "a2", AttachMode::AddChild, "A|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"onto its grandchild", "A", "x", AttachMode::Insert, "A|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"beside its child", "A", "a1", AttachMode::Add, "A|.a1|.a2|..x|.a3|B|.b1|C", false},
        {"onto its parent", "x", "A", AttachMode::AddChild, "A+|.a1|.a2|.a3|.x|B|.b1|C", true},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        ItemTree tree;
        Build(tree, start);
        Item* s = Find(tree, c.s);
        ExpectIndicesMatch(tree);  // fills the lookup cache
        EXPECT_EQ(tree.Move(s, c.target ? Find(tree, c.target) : nullptr, c.mode, nullptr), c.moved);
        EXPECT_EQ(Dump(tree), c.after);
        EXPECT_EQ(Find(tree, c.s), s);  // the same item, not a copy
        ExpectIndicesMatch(tree);
    }
}

TEST(ItemTreeMove, OntoADescendantAsksNothingAndChangesNothing) {
    ItemTree tree;
    Build(tree, "A|.B|..C|D");
    Item* a = Find(tree, "A");
    tree.SetExpanded(a, true);
    Gate gate;
    for (AttachMode mode : {AttachMode::AddChild, AttachMode::Add, AttachMode::Insert}) {
        EXPECT_FALSE(tree.Move(a, Find(tree, "C"), mode, gate.Fn()));
        EXPECT_FALSE(tree.Move(a, Find(tree, "B"), mode, gate.Fn()));
    }
    EXPECT_TRUE(gate.asked.empty());
    EXPECT_EQ(Dump(tree), "A+|.B|..C|D");
}

TEST(ItemTreeMove, StayingPutStillOpensTheParentThroughTheGate) {
    ItemTree tree;
    Build(tree, "A|.B|.C");
    Gate gate;
    tree.Move(Find(tree, "B"), Find(tree, "C"), AttachMode::Insert, gate.Fn());
    EXPECT_EQ(gate.asked, std::vector<std::string>{"+A"});
    EXPECT_TRUE(Find(tree, "A")->Expanded());
}

TEST(ItemTreeMove, TheOnlyChildLeavingClosesItsOldParentAndOpensTheNewOne) {
    ItemTree tree;
    Build(tree, "A|.B|..x|C|.c");
    Item* a = Find(tree, "A");
    Item* c = Find(tree, "C");
    tree.SetExpanded(a, true);
    tree.SetExpanded(Find(tree, "B"), true);
    Gate gate;
    EXPECT_TRUE(tree.Move(Find(tree, "B"), Find(tree, "c"), AttachMode::Insert, gate.Fn()));
    EXPECT_EQ(Dump(tree), "A|C+|.B|..x|.c");
    EXPECT_EQ(gate.asked, std::vector<std::string>{"+C"}) << "a childless item is closed without asking";
    EXPECT_FALSE(a->HasChildren());
    EXPECT_FALSE(a->Expanded());
    EXPECT_TRUE(c->Expanded());
    EXPECT_FALSE(Find(tree, "B")->Expanded());  // arrives collapsed

    // With the gate shut, the new parent stays as it was.
    ItemTree other;
    Build(other, "P|Q|.q");
    Gate shut;
    shut.allow = false;
    other.Move(Find(other, "P"), Find(other, "q"), AttachMode::Add, shut.Fn());
    EXPECT_EQ(Dump(other), "Q|.q|.P");
    EXPECT_EQ(shut.asked, std::vector<std::string>{"+Q"});
    EXPECT_FALSE(Find(other, "Q")->Expanded());
}

TEST(ItemTreeMove, AParentLeftWithoutChildrenIsClosedEvenWithTheGateShutAndStaysClosed) {
    // A drop on a label (the gate shut) takes away the only child of an open parent; a later
    // child, moved or added, must not find it open in the model while the control shows it
    // closed.
    ItemTree tree;
    Build(tree, "A|.B|C|.c");
    Item* a = Find(tree, "A");
    tree.SetExpanded(a, true);
    Gate shut;
    shut.allow = false;
    tree.Move(Find(tree, "B"), Find(tree, "c"), AttachMode::Insert, shut.Fn());
    EXPECT_FALSE(a->Expanded());
    tree.Move(Find(tree, "c"), a, AttachMode::AddChild, shut.Fn());
    EXPECT_EQ(Dump(tree), "A|.c|C|.B");
    EXPECT_FALSE(a->Expanded());

    tree.SetExpanded(a, true);
    tree.Delete(Find(tree, "c"));
    tree.AppendChild(a, "d");
    EXPECT_FALSE(a->Expanded());
}

TEST(ItemTreeMove, TheMovedSubtreeArrivesCollapsed) {
    ItemTree tree;
    Build(tree, "S|.a|..b|...c|.d|..e|T");
    for (Item* n : PreOrder(tree)) tree.SetExpanded(n, true);
    EXPECT_EQ(Dump(tree), "S+|.a+|..b+|...c|.d+|..e|T");
    Gate gate;
    tree.Move(Find(tree, "S"), Find(tree, "T"), AttachMode::AddChild, gate.Fn());
    EXPECT_EQ(Dump(tree), "T+|.S|..a|...b|....c|..d|...e");
    EXPECT_EQ(gate.asked, std::vector<std::string>{"+T"});
}

// ---- expand and collapse ----

TEST(ItemTreeExpand, TheGateIsAskedForEveryItemWithChildrenAndNeverForALeaf) {
    ItemTree tree;
    Build(tree, "A|.B|..C|.D|.E|..F|...G|H");
    Gate gate;
    tree.Expand(Find(tree, "A"), true, gate.Fn());
    EXPECT_EQ(gate.asked, (std::vector<std::string>{"+A", "+B", "+E", "+F"}));
    EXPECT_EQ(Dump(tree), "A+|.B+|..C|.D|.E+|..F+|...G|H");

    gate.asked.clear();
    tree.Collapse(Find(tree, "E"), false, gate.Fn());
    tree.Expand(Find(tree, "D"), true, gate.Fn());  // a leaf
    tree.Expand(Find(tree, "H"), false, gate.Fn());
    EXPECT_EQ(gate.asked, std::vector<std::string>{"-E"});
    EXPECT_EQ(Dump(tree), "A+|.B+|..C|.D|.E|..F+|...G|H");

    Gate shut;
    shut.allow = false;
    tree.Collapse(Find(tree, "A"), true, shut.Fn());
    EXPECT_EQ(shut.asked, (std::vector<std::string>{"-A", "-B", "-E", "-F"}));
    EXPECT_EQ(Dump(tree), "A+|.B+|..C|.D|.E|..F+|...G|H");

    // Only the subtree: H and the items after A are not visited.
    gate.asked.clear();
    tree.Collapse(Find(tree, "B"), true, gate.Fn());
    EXPECT_EQ(gate.asked, std::vector<std::string>{"-B"});
}

// ---- the lookup cache ----

TEST(ItemTreeCache, StaysRightAcrossEveryStructuralChange) {
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    ItemTree tree;
    Build(tree, "A|.B|..C|D");
    for (int step = 0; step < 3000; ++step) {
        std::vector<Item*> ref = PreOrder(tree);
        int n = static_cast<int>(ref.size());
        // Look something up so that the cache holds an item that the change may move.
        int probe = n ? pick(n) : 0;
        if (n) {
            ASSERT_EQ(tree.ItemAt(probe), ref[static_cast<std::size_t>(probe)]);
        }
        Item* any = n ? ref[static_cast<std::size_t>(pick(n))] : nullptr;
        switch (n < 3 ? 0 : pick(6)) {
            case 0:
                tree.AppendChild(any, "c" + std::to_string(step));
                break;
            case 1:
                tree.AppendAtLevel(any, "l" + std::to_string(step));
                break;
            case 2:
                if (n > 20) tree.Delete(any);
                break;
            case 3:
            case 4: {
                Item* target = pick(5) ? ref[static_cast<std::size_t>(pick(n))] : nullptr;
                tree.Move(any, target, static_cast<AttachMode>(pick(3)), nullptr);
                break;
            }
            case 5: {
                if (n > 60) {
                    ItemTree other;
                    Build(other, "X|.Y|Z");
                    if (pick(2))
                        tree.Clear();
                    else
                        tree.ReplaceWith(other);
                    ASSERT_TRUE(other.Empty());
                }
                break;
            }
        }
        // The neighbours of the old probe are where the stale cache would answer from.
        ref = PreOrder(tree);
        n = static_cast<int>(ref.size());
        ASSERT_EQ(tree.Count(), n);
        for (int i : {probe - 1, probe, probe + 1}) {
            if (i >= 0 && i < n) {
                ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]) << "step " << step;
            } else {
                ASSERT_THROW(tree.ItemAt(i), IndexError);
            }
        }
        if (step % 100 == 0) ExpectIndicesMatch(tree);
    }
}

TEST(ItemTreeCache, LongWalksAreLinear) {
    // 200,000 items at mixed depths; a walk that restarted from the first item every step
    // would take billions of steps.
    ItemTree tree;
    std::vector<Item*> path;
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        std::size_t level = path.empty() ? 0 : rng() % (path.size() + 1);
        path.resize(level);
        path.push_back(tree.AppendChild(level ? path[level - 1] : nullptr, "x"));
    }
    std::vector<Item*> ref = PreOrder(tree);
    std::clock_t start = std::clock();
    for (int i = 0; i < tree.Count(); ++i) ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]);
    for (int i = tree.Count() - 1; i >= 0; --i) ASSERT_EQ(tree.ItemAt(i), ref[static_cast<std::size_t>(i)]);
    double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 5.0);
}

// ---- depth ----

TEST(ItemTree, HundredThousandLevelsDeep) {
    // A user file can nest items one level per line; nothing may recurse over the depth.
    const int depth = 100000;
    ItemTree tree;
    Item* n = nullptr;
    for (int i = 0; i < depth; ++i) n = tree.AppendChild(n, "d");
    Item* deepest = n;
    EXPECT_EQ(deepest->Level(), depth - 1);
    EXPECT_EQ(tree.ItemAt(depth - 1), deepest);
    EXPECT_EQ(tree.ItemAt(depth - 2), deepest->Parent());
    EXPECT_EQ(tree.IndexOf(tree.ItemAt(0)), 0);

    Item* top = tree.First();
    tree.Expand(top, true, nullptr);
    tree.AppendChild(nullptr, "T");
    // Moving the deep chain below T collapses all of it; moving it back does too.
    EXPECT_TRUE(tree.Move(top, tree.LastTopLevel(), AttachMode::AddChild, nullptr));
    EXPECT_FALSE(top->Expanded());
    EXPECT_EQ(tree.Count(), depth + 1);
    EXPECT_EQ(deepest->Level(), depth);

    Item* half = tree.ItemAt(depth / 2);
    tree.Delete(half);
    EXPECT_EQ(tree.Count(), depth / 2);

    ItemTree second;
    n = nullptr;
    for (int i = 0; i < depth; ++i) n = second.AppendChild(n, "e");
    tree.ReplaceWith(second);
    EXPECT_EQ(tree.Count(), depth);
    second.AppendChild(nullptr, "after");
    // Both trees, each holding a 100,000-deep chain, are destroyed here.
}

}  // namespace
}  // namespace cv2
