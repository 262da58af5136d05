// An item's own way of sending: chosen from the menu, kept in the settings file by the item's
// index, and the gestures that send an item's children.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "CV2MainFrm/Menus.h"
#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kUserIni = L"C:\\Data\\me.ini";

class SendChoice : public ::testing::Test, public MainFrmFixture {
protected:
    SendChoice() { SetFileName(kUser); }
    // The choices as the settings file holds them, in file order: "Way1=2 FollowUp1=0".
    std::string StoredChoices() {
        const std::string& bytes = files.files[kUserIni];
        const std::size_t at = bytes.find("[ItemSend]\r\n");
        if (at == std::string::npos) return "";
        std::string stored = bytes.substr(at + 12);
        stored = stored.substr(0, stored.find('['));
        std::replace(stored.begin(), stored.end(), '\r', ' ');
        stored.erase(std::remove(stored.begin(), stored.end(), '\n'), stored.end());
        return stored.empty() ? stored : stored.substr(0, stored.size() - 1);
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
    EXPECT_EQ(Dump(), "A|B");
    view.selection = Find("B");
    view.treeEvents.clear();
    frm.SendWayClick(SendWay::Type);
    frm.FollowUpChoiceClick(FollowUpChoice::Enter);
    frm.FollowUpChoiceClick(FollowUpChoice::Enter);  // no change: the view is not told again
    EXPECT_EQ(Dump(), "A|B~23");
    frm.SendWayClick(SendWay::Default);
    EXPECT_EQ(Dump(), "A|B~03");
    EXPECT_EQ(view.treeEvents, (std::vector<std::string>{"image B", "image B", "image B"}));
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(SendChoice, OnlyItemsWithAChoiceAreStoredAndTheyComeBack) {
    Build(tree(), "A|.B~20|C:5|D~13");
    frm.SaveSettings(kUser);
    EXPECT_EQ(StoredChoices(), "Way1=2 Way3=1 FollowUp3=3");
    EXPECT_EQ(Reloaded("A|.B|C|D"), "A|.B~20|C:5|D~13");
}

TEST_F(SendChoice, AFileWithoutChoicesOrWithBadOnesReadsAsTheDefault) {
    Build(tree(), "A~33|B|C|D|E");
    files.files[kUserIni] =
        "[ItemSend]\r\nWay1=4\r\nFollowUp1=-1\r\nWay2=x\r\nFollowUp2=$7FFFFFFF\r\nWay3=3\r\nFollowUp4=0x2\r\n";
    frm.LoadItemImages();
    EXPECT_EQ(Dump(), "A|B|C|D~30|E~02");
}

TEST_F(SendChoice, AKeyLeftFromAnEarlierSaveNeverGivesItsChoiceToAnotherItem) {
    Build(tree(), "A|B~20|C");
    frm.SaveSettings(kUser);
    // B goes (its keys stay in the file, as icons' keys do), C now stands at B's index.
    tree().Delete(Find("B"));
    frm.SaveSettings(kUser);
    EXPECT_EQ(Reloaded("A|C"), "A|C");
    EXPECT_EQ(StoredChoices(), "Way1=0");
}

TEST_F(SendChoice, ChoicesTravelWithTheirItemsThroughAMoveACopyAndAReload) {
    Build(tree(), "A|.a1~20|B|C~31");
    view.hits[{1, 1}] = HitTest{Find("C"), kHitOnItem};
    view.hits[{2, 2}] = HitTest{Find("B"), kHitOnButton};
    view.selection = Find("A");
    frm.MainTreeDragCopy(1, 1);  // a copy of A as C's last child
    view.selection = Find("C");
    frm.MainTreeDragDrop(2, 2);  // C moves before B
    ASSERT_EQ(Dump(), "A|.a1~20|C~31|.A|..a1~20|B");
    frm.SaveSettings(kUser);
    EXPECT_EQ(Reloaded("A|.a1|C|.A|..a1|B"), "A|.a1~20|C~31|.A|..a1~20|B");
}

// ---- the gestures and the menu entry that send an item's children ----

class GroupGestures : public SendChoice {
protected:
    GroupGestures() {
        view.down[ToolButton::Paste] = false;  // the clipboard alone tells what was sent
        Build(tree(), "P|.x|.y|L");
    }
    // What a gesture on `item` put on the clipboard: how many writes, and the last text.
    std::string Sent(Item* item, void (TCV2Frm::*gesture)(bool), bool shift) {
        PointAt(item, kHitOnItem | kHitOnLabel);
        log.Clear();
        clipboard.data.clear();
        (frm.*gesture)(shift);
        return std::to_string(std::count(log.calls.begin(), log.calls.end(), "WriteClipboard")) + " " +
               clipboard.Text();
    }
};

TEST_F(GroupGestures, ShiftSendsTheChildrenOfAParentOnly) {
    for (bool single : {false, true}) {
        SetClickMode(single);
        auto gesture = single ? &TCV2Frm::MainTreeClick : &TCV2Frm::MainTreeDblClick;
        SCOPED_TRACE(single ? "single click" : "double click");
        EXPECT_EQ(Sent(Find("P"), gesture, true), "2 y");
        EXPECT_EQ(Sent(Find("P"), gesture, false), "1 P");
        EXPECT_EQ(Sent(Find("L"), gesture, true), "1 L");
    }
}

TEST_F(GroupGestures, TheMenuEntrySendsTheSelectionsChildrenAndIsShownForAParentOnly) {
    auto groupShown = [this] { return frm.NodePopupPopup()[static_cast<int>(NodeMenu::GroupSendMenu)]; };
    auto wayShown = [this] { return frm.NodePopupPopup()[static_cast<int>(NodeMenu::SendWayMenu)]; };
    EXPECT_FALSE(groupShown());
    EXPECT_TRUE(wayShown());
    log.Clear();
    view.selection = Find("L");
    EXPECT_FALSE(groupShown());
    EXPECT_TRUE(RunNodeMenuCommand(frm, kCmdGroupSendMenu));
    EXPECT_TRUE(log.calls.empty());

    view.selection = Find("P");
    EXPECT_TRUE(groupShown());
    view.down[ToolButton::Paste] = true;
    EXPECT_TRUE(groupShown());
    view.down[ToolButton::Paste] = false;
    EXPECT_TRUE(RunNodeMenuCommand(frm, kCmdGroupSendMenu));
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "WriteClipboard"), 2);
    EXPECT_EQ(clipboard.Text(), "y");

    tree().Clear();
    EXPECT_FALSE(wayShown());
}

}  // namespace
}  // namespace cv2::testing
