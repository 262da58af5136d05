// The conversion inside a send: what reaches the clipboard and the target, and what the
// item menu's conversion entries change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CV2MainFrm/Menus.h"
#include "CV2MainFrm/TypedText.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kTarget = 500;

class SendingConversion : public ::testing::Test, public testing::MainFrmFixture {
protected:
    SendingConversion() {
        desktop.windows[kTarget] = {0, "Chrome_WidgetWin_1", "応募フォーム - Browser"};
        view.down[ToolButton::Paste] = true;
        TrackTarget(kTarget);
        view.status = "応募フォーム - Browser";
    }

    std::vector<std::string> KeyCalls() const {
        std::vector<std::string> calls;
        for (const auto& c : log.calls)
            if (c.rfind("key(", 0) == 0) calls.push_back(c);
        return calls;
    }
};

TEST_F(SendingConversion, TheClipboardGetsTheConvertedTextAndTheTreeKeepsItsOwn) {
    Item* item = tree().AppendChild(nullptr, "０３－１２３４－５６７８");
    SetConversion({kConvertHalfWidthAscii, true, false});
    frm.SendText(item->Text());
    EXPECT_EQ(clipboard.Text(), "0312345678");
    EXPECT_THAT(clipboard.data[kCfUnicodeText],
                ElementsAre('0', 0, '3', 0, '1', 0, '2', 0, '3', 0, '4', 0, '5', 0, '6', 0, '7', 0, '8', 0, 0, 0));
    EXPECT_EQ(item->Text(), "０３－１２３４－５６７８");
    EXPECT_FALSE(frm.Dirty());
    EXPECT_THAT(KeyCalls(), ElementsAre("key(0x11, 0)", "key(0x56, 0)", "key(0x11, 2)", "key(0x56, 2)"));
}

TEST_F(SendingConversion, ClipboardOnlyModeAndTheSpecialTargetGetTheConvertedTextToo) {
    frm.ConvertModeClick(kConvertKatakana);
    view.down[ToolButton::Paste] = false;
    frm.SendText("やまだ");
    EXPECT_EQ(clipboard.Text(), "ヤマダ");

    // The diary's WM_PASTE takes what the clipboard holds.
    view.down[ToolButton::Paste] = true;
    const std::string special = "Tarvex[Tarvex] - [日記・予定]";
    view.status = special;
    desktop.windows[kTarget].title = special;
    desktop.windows[101] = {kTarget, "MDIClient", ""};
    desktop.windows[102] = {101, "ThunderRT6FormDC", "日記・予定"};
    desktop.windows[103] = {102, "ThunderRT6UserControlDC", ""};
    desktop.windows[104] = {103, "TextEdit", ""};
    SetConversion({kConvertHalfWidthKana, false, true});
    frm.SendText("たろう");
    EXPECT_EQ(clipboard.Text(), "ﾀﾛｳ");
    EXPECT_THAT(desktop.pasted, ElementsAre(104));
    EXPECT_THAT(KeyCalls(), IsEmpty()) << "the diary keeps its WM_PASTE, typing mode or not";
}

TEST_F(SendingConversion, AnItemThatConvertsToNothingEmptiesTheClipboardInsteadOfPastingTheOldText) {
    clipboard.data[kCfText] = {'o', 'l', 'd', '\0'};
    frm.NoHyphenClick();
    frm.SendText("－－");
    EXPECT_EQ(clipboard.Text(), "");
    EXPECT_THAT(clipboard.data[kCfUnicodeText], ElementsAre(0, 0));

    // An empty item still leaves the clipboard as it was.
    clipboard.data[kCfText] = {'o', 'l', 'd', '\0'};
    frm.SendText("");
    EXPECT_EQ(clipboard.Text(), "old");
}

TEST(TypedKeys, EachCharacterIsOneUnicodePressAndRelease) {
    EXPECT_THAT(TypedKeys(""), IsEmpty());
    // ソ ends in 0x5C: one character, not a backslash after it.
    const std::vector<KeyEvent> keys = TypedKeys("東ｱソ\\@");
    std::vector<std::string> seen;
    for (const KeyEvent& k : keys) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%04X%s%s", unsigned{k.key}, k.release ? "^" : "v", k.unicode ? "" : "!");
        seen.push_back(buf);
    }
    EXPECT_THAT(seen,
                ElementsAre("6771v", "6771^", "FF71v", "FF71^", "30BDv", "30BD^", "005Cv", "005C^", "0040v", "0040^"));
}

TEST_F(SendingConversion, TypingModeTypesTheConvertedTextInsteadOfCtrlV) {
    SetConversion({kConvertFullWidth, false, true});
    SetFollowUp(1);
    frm.SendText("ab 1");
    EXPECT_EQ(clipboard.Text(), "ａｂ　１") << "the clipboard still gets the text, first";
    EXPECT_THAT(KeyCalls(),
                ElementsAre("key(U+FF41, 4)", "key(U+FF41, 6)", "key(U+FF42, 4)", "key(U+FF42, 6)", "key(U+3000, 4)",
                            "key(U+3000, 6)", "key(U+FF11, 4)", "key(U+FF11, 6)", "key(0x09, 0)", "key(0x09, 2)"));
    ASSERT_FALSE(keys.batches.empty());
    EXPECT_EQ(keys.batches.front().size(), 8u) << "one batch for the whole text";
    const auto clip = std::find(log.calls.begin(), log.calls.end(), "WriteClipboard");
    const auto typed = std::find(log.calls.begin(), log.calls.end(), "key(U+FF41, 4)");
    EXPECT_LT(clip, typed);
    EXPECT_EQ(log.calls.back(), "SetForegroundWindow(500)");
}

TEST_F(SendingConversion, TypingModeLetsGoOfAHeldAltBeforeTheFirstCharacter) {
    frm.TypingClick();
    keys.keysDown = {kVkLMenu};
    frm.SendText("a");
    // Alt+a would be the target's menu key; the unassigned key keeps the menu bar shut.
    EXPECT_THAT(KeyCalls(),
                ElementsAre("key(0xE8, 0)", "key(0xE8, 2)", "key(0xA4, 2)", "key(U+0061, 4)", "key(U+0061, 6)"));
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

TEST_F(SendingConversion, TypingModeWithAnEmptyItemTypesNothingAndStillPressesTheFollowUpKey) {
    frm.TypingClick();
    SetFollowUp(2);
    frm.SendText("");
    EXPECT_THAT(KeyCalls(), ElementsAre("key(0x0D, 0)", "key(0x0D, 2)"));
}

TEST_F(SendingConversion, AHalfTypedTextLeavesNoKeyDown) {
    frm.TypingClick();
    keys.nextBatchLimit = 3;  // the system takes a press, a release and a press
    frm.SendText("xy");
    ASSERT_GE(keys.typed.size(), 4u);
    int down = 0;
    for (const KeyEvent& k : keys.typed) down += k.release ? -1 : 1;
    EXPECT_EQ(down, 0) << "the press that went out alone was released";
}

TEST_F(SendingConversion, MenuEntriesChangeTheConversion) {
    for (int mode = kConvertModeCount - 1; mode >= 0; --mode) {
        frm.ConvertModeClick(mode);
        EXPECT_EQ(frm.Conversion().mode, mode);
    }
    frm.ConvertModeClick(kConvertModeCount);
    frm.ConvertModeClick(-1);
    EXPECT_EQ(frm.Conversion().mode, 0) << "no such entry";
    frm.NoHyphenClick();
    frm.TypingClick();
    EXPECT_TRUE(frm.Conversion().noHyphen);
    EXPECT_TRUE(frm.Conversion().typing);
    frm.NoHyphenClick();
    frm.TypingClick();
    EXPECT_FALSE(frm.Conversion().noHyphen);
    EXPECT_FALSE(frm.Conversion().typing);
}

}  // namespace
}  // namespace cv2
