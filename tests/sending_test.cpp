// The main window's side of sending: which window becomes the target, which gestures send
// what, and the settings a send is planned from.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Error.h"
#include "send/KeyBatches.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kTarget = 500;

class SendingTest : public ::testing::Test, public testing::MainFrmFixture {
protected:
    SendingTest() {
        desktop.windows[kTarget] = {0, "Chrome_WidgetWin_1", "応募フォーム - Browser"};
        desktop.windows[view.handle] = {0, "TCV2Frm", "Corvell2！"};
        desktop.windows[view.handle].process = fakes::FakeDesktop::kOurProcess;
        view.down[ToolButton::Paste] = true;
    }
    void Tick(WindowHandle foreground) {
        desktop.foreground = foreground;
        frm.Timer1Timer();
    }
};

// ---- target tracking ----

TEST_F(SendingTest, TrackingFollowsTheWindowInFrontButNeverOneThatIsNoTarget) {
    desktop.windows[600] = {0, "Notepad", "メモ帳"};
    Tick(600);
    EXPECT_EQ(frm.TargetWindow(), 600u);
    EXPECT_EQ(view.status, "メモ帳");

    struct NoTarget {
        const char* name;
        std::function<void(fakes::FakeDesktop::Window&)> make;
    };
    const NoTarget others[] = {
        {"our message box", [](auto& w) { w.process = fakes::FakeDesktop::kOurProcess; }},
        {"hidden", [](auto& w) { w.visible = false; }},
        {"cloaked", [](auto& w) { w.cloaked = true; }},
        {"tool window", [](auto& w) { w.toolWindow = true; }},
        {"Search", [](auto& w) { w.className = "Windows.UI.Core.CoreWindow"; }},
        {"desktop", [](auto& w) { w.className = "Progman"; }},
        {"no title", [](auto& w) { w.title.clear(); }},
    };
    for (const NoTarget& other : others) {
        SCOPED_TRACE(other.name);
        fakes::FakeDesktop::Window w{0, "#32770", "バージョン情報"};
        other.make(w);
        desktop.windows[700] = w;
        log.Clear();
        Tick(700);
        EXPECT_EQ(frm.TargetWindow(), 600u);
        EXPECT_EQ(view.status, "メモ帳");
    }
    Tick(view.handle);
    Tick(0);
    EXPECT_EQ(frm.TargetWindow(), 600u);

    // Another window of the same title, then a title of its own.
    desktop.windows[601] = {0, "Notepad", "メモ帳"};
    Tick(601);
    EXPECT_EQ(frm.TargetWindow(), 601u);
    desktop.windows[601].title = "無題 - メモ帳";
    Tick(601);
    EXPECT_EQ(view.status, "無題 - メモ帳");
}

TEST_F(SendingTest, PasteButtonSwitchesTheTimerAndBlanksThePanel) {
    Tick(kTarget);
    view.down[ToolButton::Paste] = false;
    frm.PasteBtnClick();
    EXPECT_FALSE(view.timerEnabled);
    EXPECT_EQ(view.status, "");
    EXPECT_EQ(frm.TargetWindow(), kTarget);  // kept for the next send
    view.down[ToolButton::Paste] = true;
    frm.PasteBtnClick();
    EXPECT_TRUE(view.timerEnabled);
    EXPECT_EQ(view.status, "");
}

// ---- what a send is planned from ----

TEST_F(SendingTest, TheSettingsOfASend) {
    TrackTarget(kTarget);
    SetWaitTime(300);
    SetFollowUp(2);
    SetConversion({kConvertKatakana, true, true});
    const SendSettings s = frm.CurrentSendSettings();
    EXPECT_EQ(s.owner, view.handle);
    EXPECT_TRUE(s.pasteMode);
    EXPECT_EQ(s.target, kTarget);
    EXPECT_EQ(s.waitMs, 300);
    EXPECT_EQ(s.followUp, 2);
    EXPECT_EQ(s.conversion.mode, kConvertKatakana);
    EXPECT_TRUE(s.conversion.noHyphen && s.conversion.typing);
    // Only the diary's exact title is special.
    const std::string special = "Tarvex[Tarvex] - [日記・予定]";
    for (const std::string& title : {special, special + " ", std::string("tarvex[Tarvex] - [日記・予定]")}) {
        view.status = title;
        EXPECT_EQ(frm.CurrentSendSettings().specialTarget, title == special) << title;
    }
}

TEST_F(SendingTest, WithNoTargetTheTextGoesToTheClipboardAndNoKeyAnywhere) {
    try {
        frm.SendText("abc");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "貼り付け先のウィンドウが見つかりません");
    }
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_THAT(keys.batches, IsEmpty());
    SetFollowUp(1);
    EXPECT_THROW(frm.TabEnterBtnClick(), Error) << "the follow-up key alike";
}

TEST_F(SendingTest, AHotKeySendsIntoTheWindowInFrontOnceItsKeysAreLetGo) {
    testing::Build(tree(), "見出し|abc~22|def");
    view.selection = Find("abc");  // typed, with Tab
    desktop.foreground = kTarget;
    keys.keysDown = {kVkLControl, kVkLMenu};
    clock.At(40, [this] { keys.keysDown.clear(); });  // the user lets go
    frm.HotKeyPressed(HotKeyAction::SendNext);
    EXPECT_EQ(clipboard.Text(), "abc");
    ASSERT_FALSE(keys.batches.empty());
    EXPECT_EQ(keys.batches.back().front(), (KeyEvent{L'a', false, true}));
    EXPECT_EQ(keys.batches.back().back(), Release(kVkTab));
    EXPECT_GE(clock.now, 40u);
    EXPECT_THAT(log.calls, ::testing::Not(::testing::Contains(::testing::StartsWith("SetForegroundWindow"))));
    EXPECT_EQ(view.selection, Find("def"));
    EXPECT_EQ(frm.TargetWindow(), 0u) << "the tracked target is left as it was";
}

// ---- gestures and click mode ----

TEST_F(SendingTest, GesturesSendOnlyWhenThePointerWasOnAnItem) {
    view.down[ToolButton::Paste] = false;
    Item* item = frm.Tree().AppendAtLevel(nullptr, "123-4567");
    struct Case {
        Item* item;
        unsigned hits;
        bool sends;
    };
    const Case cases[] = {
        {item, kHitOnItem | kHitOnLabel, true},
        {item, kHitOnItem | kHitOnIcon, true},
        {item, kHitOnButton, false},
        {item, kHitOnIndent, false},
        {item, kHitOnRight, false},
        {nullptr, kHitOnItem, false},
    };
    for (const Case& c : cases) {
        clipboard.data.clear();
        PointAt(c.item, c.hits);
        frm.MainTreeClick();
        EXPECT_EQ(clipboard.Text(), c.sends ? "123-4567" : "") << c.hits;
    }
    // An item deleted since the pointer moved over it is never sent.
    frm.Tree().Clear();
    log.Clear();
    frm.MainTreeClick();
    EXPECT_THAT(log.calls, IsEmpty());
}

TEST_F(SendingTest, ClickModeDecidesWhichGestureSends) {
    view.down[ToolButton::Paste] = false;
    PointAt(frm.Tree().AppendAtLevel(nullptr, "x"), kHitOnItem);
    auto sends = [&](void (TCV2Frm::*gesture)(bool)) {
        log.Clear();
        (frm.*gesture)(false);
        return !log.calls.empty();
    };
    // Before the mode is applied both gestures send.
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeDblClick));
    frm.ClickCheckClick();  // single-click mode
    EXPECT_TRUE(frm.ClickCheck());
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_FALSE(sends(&TCV2Frm::MainTreeDblClick));
    frm.ClickCheckClick();  // double-click mode
    EXPECT_FALSE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeDblClick));
}

// ---- the menus that steer sending ----

TEST_F(SendingTest, FollowUpChoiceShownOnButtonAndMenu) {
    struct Row {
        int image;
        std::string hint, caption;
    };
    const Row rows[] = {{24, "何もしない", "何もしない(&P)"},
                        {25, "Tabを押す", "Tabを押す(&P)"},
                        {26, "Enterを押す", "Enterを押す(&P)"}};
    for (int i : {2, 0, 1}) {
        frm.NoTabEnterClick(i);
        EXPECT_EQ(frm.TabEnterIndex(), i);
        EXPECT_EQ(view.tabEnterImage, rows[i].image);
        EXPECT_EQ(view.tabEnterHint, rows[i].hint);
        EXPECT_EQ(view.tabEnterMenuImage, rows[i].image);
        EXPECT_EQ(view.tabEnterMenuCaption, rows[i].caption);
    }
    frm.NoTabEnterClick(3);  // no such entry
    EXPECT_EQ(frm.TabEnterIndex(), 1);
    EXPECT_EQ(view.tabEnterMenuCaption, "Tabを押す(&P)");
}

TEST_F(SendingTest, ConversionEntriesChangeTheConversion) {
    for (int mode : {5, 0, 3, kConvertModeCount, -1}) frm.ConvertModeClick(mode);  // the last two are no entries
    frm.NoHyphenClick();
    frm.TypingClick();
    EXPECT_EQ(frm.Conversion().mode, kConvertKatakana);
    EXPECT_TRUE(frm.Conversion().noHyphen && frm.Conversion().typing);
    frm.NoHyphenClick();
    frm.TypingClick();
    EXPECT_FALSE(frm.Conversion().noHyphen || frm.Conversion().typing);
}

}  // namespace
}  // namespace cv2
