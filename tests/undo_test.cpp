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
    void Hit(Item* item, unsigned zones) { view.hits[{1, 1}] = HitTest{item, zones}; }
    void Rename(const char* from, const char* to) {
        view.selection = Find(from);
        frm.MainTreeEdited(view.selection, to);
    }
};

struct Case {
    const char* name;
    const char* selected;  // before the command
    std::function<void(Fixture&)> run;
    const char* after;  // null: not checked
};

TEST(Undo, EveryCommandComesBackExactlyWithTheSelectionAndTheDirtyFlag) {
    const Case cases[] = {
        {"add", "a1", [](Fixture& f) { f.frm.AddNodeMenuClick(); }, "A:5|.a1+:6|..x:7|.a2|..y|.新規項目|B+:9|.b1"},
        // Adding a child opens the whole group: the undo closes what was closed.
        {"add child", "A", [](Fixture& f) { f.frm.AddChildMenuClick(); },
         "A+:5|.a1+:6|..x:7|.a2+|..y|.新規項目|B+:9|.b1"},
        {"rename", "x", [](Fixture& f) { f.frm.MainTreeEdited(f.Find("x"), "住所"); },
         "A:5|.a1+:6|..住所:7|.a2|..y|B+:9|.b1"},
        // A moved group arrives closed; the undo opens it again.
        {"move", "a1",
         [](Fixture& f) {
             f.Hit(f.Find("b1"), kHitOnItem | kHitOnLabel);
             f.frm.MainTreeDragDrop(1, 1);
         },
         "A:5|.a2|..y|B+:9|.b1|..a1:6|...x:7"},
        // The only child leaving closes its parent; the undo opens it again.
        {"move only child", "b1",
         [](Fixture& f) {
             f.Hit(nullptr, kHitNowhere);
             f.frm.MainTreeDragDrop(1, 1);
         },
         "A:5|.a1+:6|..x:7|.a2|..y|B:9|b1"},
        {"delete", "a1",
         [](Fixture& f) {
             f.view.answers = {Answer::Yes};
             f.frm.DelNodeMenuClick();
         },
         "A:5|.a2|..y|B+:9|.b1"},
        {"delete all", "x",
         [](Fixture& f) {
             f.view.answers = {Answer::Yes};
             f.frm.AllDelNodeMenuClick();
         },
         ""},
        {"wizard", "y",
         [](Fixture& f) {
             WizardInput input;
             input.Birthday = {1996, 5, 3};
             input.Mail = "a@b";
             f.view.wizardAnswers.push_back({true, input});
             f.frm.NewBtnClick();  // its save dialog is cancelled
         },
         nullptr},
        {"copy", "a2",
         [](Fixture& f) {
             Item* copy = f.tree().AppendChild(f.Find("B"), "a2'");
             f.tree().AppendChild(copy, "y'");
             f.frm.RecordInsertedSubtree(copy);
         },
         "A:5|.a1+:6|..x:7|.a2|..y|B+:9|.b1|.a2'|..y'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        Item* before = f.Find(c.selected);
        f.view.selection = before;
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
    EXPECT_EQ(f.Find("X2")->ImageIndex(), 3);
    f.frm.UndoMenuClick();
    EXPECT_EQ(f.Dump(), "A:5|.a1+:6|..X2:7|.a2|..y|B+:9|.b1");
    EXPECT_TRUE(f.frm.Dirty());
    f.frm.RedoMenuClick();
    f.view.fileAnswers.push_back({true, L"C:\\Data\\saved.cv2"});
    f.frm.SaveBtnClick();
    ASSERT_FALSE(f.frm.Dirty());
    f.frm.UndoMenuClick();  // the icon
    EXPECT_FALSE(f.frm.Dirty());
    f.frm.UndoMenuClick();  // the rename
    EXPECT_TRUE(f.frm.Dirty());
    EXPECT_EQ(f.Dump(), kSample);
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
    while (f.frm.CanUndo()) {
        f.frm.UndoMenuClick();
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(x->Text(), "t4");
    EXPECT_TRUE(f.frm.Dirty()) << "the saved tree is no longer within reach";
    while (f.frm.CanRedo()) f.frm.RedoMenuClick();
    EXPECT_EQ(x->Text(), "t104");
}

TEST(Undo, OpenNewAndAnyLoadPastTheHistoryClearIt) {
    Fixture f;
    f.SetFileName(L"C:\\Data\\old.cv2");
    f.Rename("x", "X2");
    f.files.files[L"C:\\Data\\new.cv2"] = "P\r\n";
    f.view.fileAnswers = {{true, L"C:\\Data\\new.cv2"}};
    f.view.answers = {Answer::No};
    f.frm.OpenBtnClick();
    EXPECT_FALSE(f.frm.CanUndo());

    f.Rename("P", "Q");
    f.view.wizardAnswers.push_back({false, WizardInput{}});
    f.view.answers = {Answer::No};
    f.frm.NewBtnClick();
    EXPECT_FALSE(f.frm.CanUndo());

    // A tree replaced past the history leaves steps whose items are gone: never used.
    f.Rename("Q", "R");
    ItemTree loaded;
    loaded.AppendChild(nullptr, "L");
    f.tree().ReplaceWith(loaded);
    EXPECT_FALSE(f.frm.CanUndo());
    f.frm.UndoMenuClick();
    EXPECT_EQ(f.Dump(), "L");
    EXPECT_TRUE(f.frm.Dirty());
}

TEST(Undo, MenuEntriesShowOnlyWithSomethingToUndoOrRedo) {
    Fixture f;
    auto shown = [&f](NodeMenu entry) { return f.frm.NodePopupPopup()[static_cast<int>(entry)]; };
    EXPECT_FALSE(shown(NodeMenu::UndoMenu));
    EXPECT_FALSE(shown(NodeMenu::RedoMenu));
    f.Rename("y", "Y2");
    EXPECT_TRUE(shown(NodeMenu::UndoMenu));
    EXPECT_FALSE(shown(NodeMenu::RedoMenu));
    EXPECT_TRUE(RunNodeMenuCommand(f.frm, kCmdUndoMenu));
    EXPECT_EQ(f.Dump(), kSample);
    EXPECT_FALSE(shown(NodeMenu::UndoMenu));
    EXPECT_TRUE(shown(NodeMenu::RedoMenu));
    EXPECT_TRUE(RunNodeMenuCommand(f.frm, kCmdRedoMenu));
    EXPECT_NE(f.Find("Y2"), nullptr);
}

// A window that cannot show an item given back keeps the model to what it shows, and the
// history, which no longer describes the tree, goes.
TEST(Undo, AnItemTheWindowCannotShowAgainEndsTheHistory) {
    Fixture f;
    f.view.selection = f.Find("a1");
    f.view.answers = {Answer::Yes};
    f.frm.DelNodeMenuClick();
    f.view.refusedTexts = {"x"};
    EXPECT_THROW(f.frm.UndoMenuClick(), InsertError);
    EXPECT_EQ(f.Dump(), "A:5|.a2|..y|B+:9|.b1");
    EXPECT_FALSE(f.frm.CanUndo());
    EXPECT_FALSE(f.frm.CanRedo());
    EXPECT_TRUE(f.frm.Dirty());
}

}  // namespace
}  // namespace cv2::testing
