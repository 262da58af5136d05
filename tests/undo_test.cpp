#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CV2MainFrm/Menus.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

// A closed group with an open child, icons, and an open group with an only child.
constexpr const char* kSample = "A:5|.a1+:6|..x:7|.a2|..y|B+:9|.b1";

struct Fixture : MainFrmFixture {
    Fixture() {
        Build(tree(), kSample);
        MarkSaved();
    }
    void Rename(const char* from, const char* to) {
        view.selection = Find(from);
        frm.MainTreeEdited(view.selection, to);
    }
};
using Command = std::function<void(Fixture&)>;

// A command that asks first, answered Yes.
Command Yes(void (TCV2Frm::*command)()) {
    return [command](Fixture& f) {
        f.view.answers = {Answer::Yes};
        (f.frm.*command)();
    };
}
// A drop of the selection at a point that hits `target` (by text) in `zones`.
Command Drop(const char* target, unsigned zones) {
    return [target, zones](Fixture& f) {
        f.view.hits[{1, 1}] = HitTest{target ? f.Find(target) : nullptr, zones};
        f.frm.MainTreeDragDrop(1, 1);
    };
}

TEST(Undo, EveryCommandComesBackExactlyWithTheSelectionAndTheDirtyFlag) {
    WizardInput wizard;
    wizard.Mail = "a@b";
    const struct {
        const char* selected;  // before the command
        Command run;
        const char* after;  // null: not checked
    } cases[] = {
        {"a1", [](Fixture& f) { f.frm.AddNodeMenuClick(); }, "A:5|.a1+:6|..x:7|.a2|..y|.新規項目|B+:9|.b1"},
        // Adding a child opens the whole group: the undo closes what was closed.
        {"A", [](Fixture& f) { f.frm.AddChildMenuClick(); }, "A+:5|.a1+:6|..x:7|.a2+|..y|.新規項目|B+:9|.b1"},
        {"x", [](Fixture& f) { f.frm.MainTreeEdited(f.Find("x"), "住所"); }, "A:5|.a1+:6|..住所:7|.a2|..y|B+:9|.b1"},
        // A moved group arrives closed, and an only child leaving closes its parent: the
        // undo opens both again.
        {"a1", Drop("b1", kHitOnItem | kHitOnLabel), "A:5|.a2|..y|B+:9|.b1|..a1:6|...x:7"},
        {"b1", Drop(nullptr, kHitNowhere), "A:5|.a1+:6|..x:7|.a2|..y|B:9|b1"},
        {"a1", Yes(&TCV2Frm::DelNodeMenuClick), "A:5|.a2|..y|B+:9|.b1"},
        {"x", Yes(&TCV2Frm::AllDelNodeMenuClick), ""},
        {"y",
         [&wizard](Fixture& f) {
             f.view.wizardAnswers.push_back({true, wizard});
             f.frm.NewBtnClick();  // its save dialog is cancelled
         },
         nullptr},
        // The hook of a command that copies: the copy is in, then recorded.
        {"a2",
         [](Fixture& f) {
             f.tree().AppendChild(f.tree().AppendChild(f.Find("B"), "a2'"), "y'");
             f.frm.RecordInsertedSubtree(f.Find("a2'"));
         },
         "A:5|.a1+:6|..x:7|.a2|..y|B+:9|.b1|.a2'|..y'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after ? c.after : "wizard");
        Fixture f;
        Item* before = f.view.selection = f.Find(c.selected);
        c.run(f);
        const std::string after = f.Dump();
        Item* selectedAfter = f.view.selection;
        if (c.after) {
            EXPECT_EQ(after, c.after);
        }
        EXPECT_TRUE(f.frm.Dirty());
        for (int round = 0; round < 2; ++round) {  // the kept items serve again and again
            f.frm.UndoMenuClick();
            EXPECT_EQ(f.Dump(), kSample);
            EXPECT_EQ(f.view.selection, before);
            EXPECT_FALSE(f.frm.Dirty()) << "back at the saved tree";
            EXPECT_FALSE(f.frm.CanUndo());
            f.frm.RedoMenuClick();
            EXPECT_EQ(f.Dump(), after);
            EXPECT_EQ(f.view.selection, selectedAfter);
            EXPECT_TRUE(f.frm.Dirty());
            EXPECT_FALSE(f.frm.CanRedo());
        }
    }
}

// Icons live in the settings file: stepping over an icon change leaves the flag as it is,
// while the saved point follows the contents.
TEST(Undo, IconStepsLeaveTheDirtyFlagAndSaveMovesTheSavedPoint) {
    Fixture f;
    f.Rename("x", "X2");
    f.frm.Im11Click(3);
    f.frm.UndoMenuClick();
    EXPECT_EQ(f.Dump(), "A:5|.a1+:6|..X2:7|.a2|..y|B+:9|.b1");
    EXPECT_TRUE(f.frm.Dirty());
    f.frm.RedoMenuClick();
    f.view.fileAnswers.push_back({true, L"C:\\Data\\saved.cv2"});
    f.frm.SaveBtnClick();
    f.frm.UndoMenuClick();  // the icon
    EXPECT_FALSE(f.frm.Dirty());
    f.frm.UndoMenuClick();  // the rename
    EXPECT_TRUE(f.frm.Dirty());
    f.frm.RedoMenuClick();
    EXPECT_FALSE(f.frm.Dirty()) << "the saved contents again";
    f.frm.Im11Click(3);
    EXPECT_FALSE(f.frm.CanRedo()) << "a new change drops what was undone";
    f.frm.Im11Click(3);  // the same icon again is no step
    f.frm.UndoMenuClick();
    EXPECT_EQ(f.Find("X2")->ImageIndex(), 7);
}

TEST(Undo, KeepsTheNewestHundredSteps) {
    Fixture f;
    Item* x = f.Find("x");
    for (int i = 0; i < 105; ++i) f.frm.MainTreeEdited(x, "t" + std::to_string(i));
    int undone = 0;
    for (; f.frm.CanUndo(); ++undone) f.frm.UndoMenuClick();
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(x->Text(), "t4");
    EXPECT_TRUE(f.frm.Dirty()) << "the saved tree is out of reach";
    while (f.frm.CanRedo()) f.frm.RedoMenuClick();
    EXPECT_EQ(x->Text(), "t104");
}

TEST(Undo, OpenNewAndAnyLoadPastTheHistoryClearIt) {
    Fixture f;
    f.Rename("x", "X2");
    f.files.files[L"C:\\Data\\new.cv2"] = "P\r\n";
    f.view.fileAnswers = {{true, L"C:\\Data\\new.cv2"}};
    f.view.answers = {Answer::No};
    f.frm.OpenBtnClick();
    EXPECT_FALSE(f.frm.CanUndo());
    f.Rename("P", "Q");
    f.view.answers = {Answer::No};
    f.frm.NewBtnClick();  // the wizard is cancelled
    EXPECT_FALSE(f.frm.CanUndo());
    // A tree replaced past the history leaves steps whose items are gone: never used.
    f.Rename("Q", "R");
    ItemTree loaded;
    loaded.AppendChild(nullptr, "L");
    f.tree().ReplaceWith(loaded);
    EXPECT_FALSE(f.frm.CanUndo());
    f.frm.UndoMenuClick();
    EXPECT_EQ(f.Dump(), "L");
}

TEST(Undo, MenuEntriesShowOnlyWithSomethingToUndoOrRedoAndRunTheirCommands) {
    Fixture f;
    auto shown = [&f] {
        const NodeMenuVisibility v = f.frm.NodePopupPopup();
        return std::to_string(v[static_cast<int>(NodeMenu::UndoMenu)]) +
               std::to_string(v[static_cast<int>(NodeMenu::RedoMenu)]);
    };
    EXPECT_EQ(shown(), "00");
    f.Rename("y", "Y2");
    EXPECT_EQ(shown(), "10");
    EXPECT_TRUE(RunNodeMenuCommand(f.frm, kCmdUndoMenu));
    EXPECT_EQ(f.Dump(), kSample);
    EXPECT_EQ(shown(), "01");
    EXPECT_TRUE(RunNodeMenuCommand(f.frm, kCmdRedoMenu));
    EXPECT_NE(f.Find("Y2"), nullptr);
}

// A window that cannot show an item given back keeps the model to what it shows, and the
// history, which no longer describes the tree, goes.
TEST(Undo, AnItemTheWindowCannotShowAgainEndsTheHistory) {
    Fixture f;
    f.view.selection = f.Find("a1");
    Yes (&TCV2Frm::DelNodeMenuClick)(f);
    f.view.refusedTexts = {"x"};
    EXPECT_THROW(f.frm.UndoMenuClick(), InsertError);
    EXPECT_EQ(f.Dump(), "A:5|.a2|..y|B+:9|.b1");
    EXPECT_FALSE(f.frm.CanUndo() || f.frm.CanRedo());
    EXPECT_TRUE(f.frm.Dirty());
}

}  // namespace
}  // namespace cv2::testing
