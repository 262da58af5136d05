// An item's own way of sending: chosen from the menu and kept in the settings file by the
// item's index; and the gestures that send an item's children.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "CV2MainFrm/Menus.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kUserIni = L"C:\\Data\\me.ini";

class SendChoice : public ::testing::Test, public MainFrmFixture {
protected:
    SendChoice() { SetFileName(kUser); }
    std::string& Stored() { return files.files[kUserIni]; }
    // Paste mode with a form in front of the user before the click.
    void InFrontOfAForm() {
        desktop.windows[500] = {0, "Form", "フォーム"};
        TrackTarget(500);
        view.down[ToolButton::Paste] = true;
    }
    // The same user file opened in a new session: its shape, then its icons and choices.
    std::string Reloaded(const std::string& shape) {
        MainFrmFixture next;
        next.files.files = files.files;
        Build(next.tree(), shape);
        next.SetFileName(kUser);
        next.frm.LoadItemImages();
        return next.Dump();
    }
};

TEST_F(SendChoice, TheMenuSetsOneHalfOfTheSelectionsChoiceAndLeavesTheFileClean) {
    Build(tree(), "A|B");
    frm.SendWayClick(SendWay::Type);  // no selection: nothing
    view.selection = Find("B");
    frm.SendWayClick(SendWay::Type);
    frm.FollowUpChoiceClick(FollowUpChoice::Enter);
    frm.FollowUpChoiceClick(FollowUpChoice::Enter);  // no change: the view is not told again
    EXPECT_EQ(Dump(), "A|B~23");
    frm.SendWayClick(SendWay::Default);
    EXPECT_EQ(Dump(), "A|B~03");
    EXPECT_EQ(view.treeEvents, (std::vector<std::string>{"added A", "added B", "image B", "image B", "image B"}));
    EXPECT_FALSE(frm.Dirty());
    // Each choice is a step of its own to undo, which leaves the file clean too.
    frm.UndoMenuClick();
    frm.UndoMenuClick();
    EXPECT_EQ(Dump(), "A|B~20");
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(SendChoice, OnlyChoicesAreStoredAndTheyTravelWithTheirItemsThroughAMoveACopyAndAReload) {
    Build(tree(), "A|.a1~20|B|C~13");
    view.hits[{1, 1}] = HitTest{Find("C"), kHitOnItem};
    view.hits[{2, 2}] = HitTest{Find("B"), kHitOnButton};
    view.selection = Find("A");
    frm.MainTreeDragCopy(1, 1);  // a copy of A as C's last child
    view.selection = Find("C");
    frm.MainTreeDragDrop(2, 2);  // C moves before B
    ASSERT_EQ(Dump(), "A|.a1~20|C~13|.A|..a1~20|B");
    frm.SaveSettings(kUser);
    EXPECT_NE(Stored().find("[ItemSend]\r\nWay1=2\r\nWay2=1\r\nFollowUp2=3\r\nWay4=2\r\n"), std::string::npos);
    EXPECT_EQ(Reloaded("A|.a1|C|.A|..a1|B"), "A|.a1~20|C~13|.A|..a1~20|B");
}

TEST_F(SendChoice, MissingOrBadValuesReadAsTheDefault) {
    Build(tree(), "A~33|B|C|D|E");
    Stored() = "[ItemSend]\r\nWay1=4\r\nFollowUp1=-1\r\nWay2=x\r\nFollowUp2=$7FFFFFFF\r\nWay3=3\r\nFollowUp4=0x2\r\n";
    frm.LoadItemImages();
    EXPECT_EQ(Dump(), "A|B|C|D~30|E~02");
}

TEST_F(SendChoice, AKeyLeftFromAnEarlierSaveNeverGivesItsChoiceToAnotherItem) {
    Build(tree(), "A|B~20|C");
    frm.SaveSettings(kUser);
    tree().Delete(Find("B"));  // C now stands at B's index
    frm.SaveSettings(kUser);
    EXPECT_EQ(Reloaded("A|C"), "A|C");
}

TEST_F(SendChoice, ShiftWithTheSendingGestureSendsTheChildrenOfAParentOnly) {
    Build(tree(), "P|.x|.y|L");
    InFrontOfAForm();
    auto sent = [this](const char* item, bool single, bool shift) {
        SetClickMode(single);
        PointAt(Find(item), kHitOnItem | kHitOnLabel);
        log.Clear();
        single ? frm.MainTreeClick(shift) : frm.MainTreeDblClick(shift);
        return std::to_string(std::count(log.calls.begin(), log.calls.end(), "WriteClipboard")) + clipboard.Text();
    };
    for (bool single : {false, true}) {
        EXPECT_EQ(sent("P", single, true), "2y");
        EXPECT_EQ(sent("P", single, false), "1P");
        EXPECT_EQ(sent("L", single, true), "1L");
    }
}

TEST_F(SendChoice, TheGroupEntryIsShownAndWorksForAParentOnlyTheWayEntryWithItems) {
    Build(tree(), "P|.x|.y|L");
    InFrontOfAForm();
    auto shown = [this](NodeMenu entry) { return frm.NodePopupPopup()[static_cast<int>(entry)]; };
    EXPECT_TRUE(shown(NodeMenu::SendWayMenu));
    for (const char* selected : {"", "L", "P"}) {
        view.selection = Find(selected);
        log.Clear();
        EXPECT_TRUE(RunNodeMenuCommand(frm, kCmdGroupSendMenu));
        const bool parent = std::string(selected) == "P";
        EXPECT_EQ(shown(NodeMenu::GroupSendMenu), parent) << selected;
        EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "WriteClipboard"), parent ? 2 : 0) << selected;
    }
    tree().Clear();
    EXPECT_FALSE(shown(NodeMenu::SendWayMenu));
}

}  // namespace
}  // namespace cv2::testing
