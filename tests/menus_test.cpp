#include <gtest/gtest.h>

#include <string>

#include "wingui/Images.h"
#include "CV2MainFrm/Menus.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

// The shown entries as one line: captions without their accelerators, "-" for a separator.
std::string Shown(const NodeMenuVisibility& visible) {
    static constexpr const char* kNames[] = {"TabEnter", "-",      "Click",    "Convert", "-",    "Add",  "AddChild",
                                             "-",        "Expand", "Collapse", "-",       "Edit", "N1",   "Del",
                                             "AllDel",   "-",      "Wait",     "-",       "Help", "About"};
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
    EXPECT_EQ(kNodePopup[static_cast<int>(NodeMenu::ConvertMenu)].image, kImageCount - 1);
    std::string convert;
    for (const MenuEntry& e : kConvertMenu) convert += e.caption ? std::string(e.caption) + "|" : "-|";
    EXPECT_EQ(convert,
              "そのまま(&0)|英数字を半角(&1)|全角(&2)|カタカナ(&3)|ひらがな(&4)|半角カナ(&5)|-|"
              "ハイフンを除く(&H)|キー入力で送る(&K)|");
    for (int mode = 0; mode < kConvertMenuModes; ++mode) EXPECT_EQ(kConvertMenu[mode].id, kCmdConvertMode0 + mode);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(kImageMenu[i].image, i);
        EXPECT_EQ(std::string(kImageMenu[i].caption), (i < 9 ? "0" : "") + std::to_string(i + 1));
    }
}

struct Case {
    const char* tree;  // "empty", "flat", "nested"
    bool paste;
    const char* shown;
};

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
        Case{"empty", false, "Click Convert - Add - N1 - Wait - Help About"},
        Case{"empty", true, "TabEnter - Click Convert - Add - N1 - Wait - Help About"},
        Case{"flat", false, "Click Convert - Add AddChild - Edit N1 Del AllDel - Wait - Help About"},
        Case{"flat", true, "TabEnter - Click Convert - Add AddChild - Edit N1 Del AllDel - Wait - Help About"},
        Case{"nested", false,
             "Click Convert - Add AddChild - Expand Collapse - Edit N1 Del AllDel - Wait - Help About"},
        Case{"nested", true,
             "TabEnter - Click Convert - Add AddChild - Expand Collapse - Edit N1 Del AllDel - Wait - Help About"}));

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
