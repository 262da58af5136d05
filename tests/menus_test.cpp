#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "wingui/Images.h"
#include "CV2MainFrm/Menus.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

// The shown entries as one line: captions without their accelerators, "-" for a separator.
std::string Shown(const NodeMenuVisibility& visible) {
    static constexpr const char* kNames[] = {"TabEnter", "Group",  "-",   "Click",    "Convert", "Way",    "-",
                                             "Undo",     "Redo",   "Add", "AddChild", "-",       "Expand", "Collapse",
                                             "-",        "Edit",   "N1",  "Del",      "AllDel",  "-",      "Recent",
                                             "Wait",     "HotKey", "-",   "Help",     "About"};
    static_assert(std::size(kNames) == kNodeMenuCount);
    std::string out;
    for (int i = 0; i < kNodeMenuCount; ++i) {
        if (!visible[i]) continue;
        if (!out.empty()) out += ' ';
        out += kNames[i];
    }
    return out;
}

TEST(NodeMenu, TablesMatchTheEntryOrder) {
    for (int i = 0; i < kNodeMenuCount; ++i)
        EXPECT_EQ(IsSeparator(static_cast<NodeMenu>(i)), kNodePopup[i].id == kCmdNone) << i;
    EXPECT_STREQ(kNodePopup[static_cast<int>(NodeMenu::ClickCheck)].caption, "ｼﾝｸﾞﾙｸﾘｯｸを有効(&S)");
    EXPECT_EQ(kNodePopup[static_cast<int>(NodeMenu::About)].image, 41);
    EXPECT_STREQ(kNodePopup[static_cast<int>(NodeMenu::ConvertMenu)].caption, "送信時の変換(&Z)");
    EXPECT_EQ(kNodePopup[static_cast<int>(NodeMenu::ConvertMenu)].image, 44);
    EXPECT_STREQ(kNodePopup[static_cast<int>(NodeMenu::HotKeyMenu)].caption, "ホットキーの設定(&Y)");
    EXPECT_EQ(kNodePopup[static_cast<int>(NodeMenu::HotKeyMenu)].image, 46);
    std::string convert;
    for (const MenuEntry& e : kConvertMenu) convert += e.caption ? std::string(e.caption) + "|" : "-|";
    EXPECT_EQ(convert,
              "そのまま(&0)|英数字を半角(&1)|全角(&2)|カタカナ(&3)|ひらがな(&4)|半角カナ(&5)|-|"
              "ハイフンを除く(&H)|キー入力で送る(&K)|");
    for (int mode = 0; mode < kConvertMenuModes; ++mode) EXPECT_EQ(kConvertMenu[mode].id, kCmdConvertMode0 + mode);
    for (int i = 0; i < kSendWayCount; ++i) EXPECT_EQ(kSendWayMenu[i].id, kCmdSendWay0 + i);
    for (int i = 0; i < kFollowUpChoiceCount; ++i) EXPECT_EQ(kSendWayMenu[kSendWayCount + 1 + i].id, kCmdFollowUp0 + i);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(kImageMenu[i].image, i);
        EXPECT_EQ(std::string(kImageMenu[i].caption), (i < 9 ? "0" : "") + std::to_string(i + 1));
    }
}

// Every command id of the menus and tool buttons, each once.
std::vector<int> AllCommandIds() {
    std::vector<int> ids;
    for (const NodeMenuEntry& e : kNodePopup) ids.push_back(e.id);
    for (const MenuEntry& e : kImageMenu) ids.push_back(e.id);
    for (const MenuEntry& e : kConvertMenu) ids.push_back(e.id);
    for (const MenuEntry& e : kSendWayMenu) ids.push_back(e.id);
    for (const MenuEntry& e : kTabEnterPopup) ids.push_back(e.id);
    for (const ToolButtonEntry& e : kToolBar1) ids.push_back(e.id);
    for (const ToolButtonEntry& e : kToolBar2) ids.push_back(e.id);
    for (int i = 0; i < kRecentFileCount; ++i) ids.push_back(kCmdRecent0 + i);
    return ids;
}

TEST(NodeMenu, EveryCommandIdIsUniqueAndEverySeparatorStandsBetweenTwoEntries) {
    std::set<int> seen;
    for (int id : AllCommandIds()) {
        if (id == kCmdNone) continue;  // separators
        EXPECT_TRUE(seen.insert(id).second) << "command id " << id << " is used twice";
    }
    EXPECT_FALSE(IsSeparator(static_cast<NodeMenu>(0)));
    EXPECT_FALSE(IsSeparator(static_cast<NodeMenu>(kNodeMenuCount - 1)));
    for (int i = 0; i < kNodeMenuCount; ++i) {
        const NodeMenuEntry& e = kNodePopup[i];
        EXPECT_EQ(static_cast<int>(e.entry), i);
        if (IsSeparator(e.entry)) {
            // Nothing to show or run, and an entry on either side to separate.
            EXPECT_EQ(e.id, kCmdNone) << i;
            EXPECT_EQ(e.caption, nullptr) << i;
            EXPECT_EQ(e.image, kNoImage) << i;
            EXPECT_EQ(e.handler, nullptr) << i;
            EXPECT_FALSE(IsSeparator(static_cast<NodeMenu>(i + 1))) << i;
            continue;
        }
        EXPECT_NE(e.id, kCmdNone) << i;
        ASSERT_NE(e.caption, nullptr) << i;
        EXPECT_GE(e.image, 0) << i;
        EXPECT_LT(e.image, kImageCount) << i;
        // Only the entries that open a submenu have no handler of their own.
        const bool opensSubmenu = e.entry == NodeMenu::N1 || e.entry == NodeMenu::ConvertMenu ||
                                  e.entry == NodeMenu::SendWayMenu || e.entry == NodeMenu::RecentMenu;
        EXPECT_EQ(e.handler == nullptr, opensSubmenu) << e.caption;
    }
}

// What the handlers can change, as one line.
std::string Effects(testing::MainFrmFixture& f) {
    std::string out = testing::Dump(f.tree());
    if (f.frm.ClickCheck()) out += " click";
    if (f.view.editing) out += " editing:" + f.view.editing->Text();
    if (f.frm.Dirty()) out += " dirty";
    for (const auto& box : f.view.boxes) out += " box:" + box.caption;
    if (!f.view.waitDialogShown.empty()) out += " wait";
    if (!f.view.hotKeyDialogShown.empty()) out += " hotkeys";
    if (f.view.aboutShown) out += " about";
    for (const std::string& call : f.log.calls)
        if (call.find("Key") != std::string::npos || call.find("Input") != std::string::npos) {
            out += " keys";
            break;
        }
    return out;
}

// Each entry's command reaches its own handler: a handler put on another entry shows here.
TEST(NodeMenu, EachCommandRunsItsEntrysHandler) {
    const std::pair<NodeMenu, const char*> cases[] = {
        {NodeMenu::TabEnterMenu, "A|.B|C keys"},
        {NodeMenu::GroupSendMenu, "A|.B|C keys"},
        {NodeMenu::ClickCheck, "A|.B|C click"},
        {NodeMenu::AddNodeMenu, "A|.B|C|新規項目 editing:新規項目 dirty"},
        {NodeMenu::AddChildMenu, "A+|.B|.新規項目|C editing:新規項目 dirty"},
        {NodeMenu::FullExpandMenu, "A+|.B|C"},
        {NodeMenu::FullCollapseMenu, "A|.B|C"},
        {NodeMenu::EditTextMenu, "A|.B|C editing:A"},
        {NodeMenu::DelNodeMenu, "C dirty box:選択アイテム削除"},
        {NodeMenu::AllDelNodeMenu, " dirty box:全アイテム削除"},
        {NodeMenu::Wait1, "A|.B|C wait"},
        {NodeMenu::HotKeyMenu, "A|.B|C hotkeys"},
        {NodeMenu::Help1, "A|.B|C box:Corvell2！"},
        {NodeMenu::About, "A|.B|C about"},
    };
    for (const auto& [entry, effects] : cases) {
        testing::MainFrmFixture f;
        Item* a = f.tree().AppendChild(nullptr, "A");
        f.tree().AppendChild(a, "B");
        f.tree().AppendChild(nullptr, "C");
        f.view.Select(a);
        f.view.down[ToolButton::Paste] = true;
        f.desktop.windows[500] = {0, "Form", "フォーム"};
        f.TrackTarget(500);
        f.SetFollowUp(1);
        f.view.answers.push_back(Answer::Yes);
        f.log.Clear();
        if (entry == NodeMenu::FullCollapseMenu) f.frm.FullExpandMenuClick();
        EXPECT_TRUE(RunNodeMenuCommand(f.frm, NodePopupEntry(entry).id)) << NodePopupEntry(entry).caption;
        EXPECT_EQ(Effects(f), effects) << NodePopupEntry(entry).caption;
    }
    testing::MainFrmFixture f;
    for (int id : {static_cast<int>(kCmdNone), static_cast<int>(kCmdN1), static_cast<int>(kCmdConvertMenu),
                   static_cast<int>(kCmdSendWayMenu), static_cast<int>(kCmdNodeEditBtn), static_cast<int>(kCmdIm00)})
        EXPECT_FALSE(RunNodeMenuCommand(f.frm, id)) << id;
    EXPECT_EQ(Effects(f), "");
}

struct Case {
    const char* tree;  // "empty", "flat", "nested"
    bool paste;
    const char* shown;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.tree << (c.paste ? " paste" : " no paste"); }

// Stable test names ("flat_paste"), not the bytes of the case.
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.tree) + (info.param.paste ? "_paste" : "_nopaste");
}

class NodeMenuCases : public ::testing::TestWithParam<Case>, public testing::MainFrmFixture {};

TEST_P(NodeMenuCases, VisibleEntriesAndSingleSeparators) {
    const Case& c = GetParam();
    std::string shape = c.tree;
    if (shape != "empty") {
        Item* a = tree().AppendChild(nullptr, "A");
        tree().AppendChild(nullptr, "B");
        // The item with children comes late, so the walk must look past the first items.
        if (shape == "nested") tree().AppendChild(tree().AppendChild(a->NextSibling(), "C"), "D");
    }
    view.down[ToolButton::Paste] = c.paste;
    EXPECT_EQ(Shown(frm.NodePopupPopup()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    AllStates, NodeMenuCases,
    ::testing::Values(
        Case{"empty", false, "Click Convert - Add - N1 - Wait HotKey - Help About"},
        Case{"empty", true, "TabEnter - Click Convert - Add - N1 - Wait HotKey - Help About"},
        Case{"flat", false, "Click Convert Way - Add AddChild - Edit N1 Del AllDel - Wait HotKey - Help About"},
        Case{"flat", true,
             "TabEnter - Click Convert Way - Add AddChild - Edit N1 Del AllDel - Wait HotKey - Help About"},
        Case{"nested", false,
             "Click Convert Way - Add AddChild - Expand Collapse - Edit N1 Del AllDel - Wait HotKey - Help About"},
        Case{"nested", true,
             "TabEnter - Click Convert Way - Add AddChild - Expand Collapse - Edit N1 Del AllDel - Wait HotKey - Help "
             "About"}),
    CaseName);

TEST(NodeMenu, SeparatorsAreNormalisedWhateverTheyWereBefore) {
    NodeMenuVisibility all{};
    all.fill(true);
    EXPECT_EQ(Shown(NormalizeSeparators(all)), Shown(all));  // already single
    NodeMenuVisibility only{};
    only[static_cast<int>(NodeMenu::z001)] = true;
    only[static_cast<int>(NodeMenu::Z006)] = true;
    EXPECT_EQ(Shown(NormalizeSeparators(only)), "");
    only[static_cast<int>(NodeMenu::Help1)] = true;
    EXPECT_EQ(Shown(NormalizeSeparators(only)), "Help");
    only[static_cast<int>(NodeMenu::ClickCheck)] = true;
    // A run of separators between two entries shows just one: the last of the run.
    NodeMenuVisibility result = NormalizeSeparators(only);
    EXPECT_EQ(Shown(result), "Click - Help");
    EXPECT_TRUE(result[static_cast<int>(NodeMenu::Z006)]);
    EXPECT_FALSE(result[static_cast<int>(NodeMenu::z002)]);
}

}  // namespace
}  // namespace cv2
