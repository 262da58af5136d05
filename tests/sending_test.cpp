#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>

#include "base/Error.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr WindowHandle kTarget = 500;
const std::string kSpecialTitle = "Tarvex[Tarvex] - [日記・予定]";

class SendingTest : public ::testing::Test, public testing::MainFrmFixture {
protected:
    explicit SendingTest(bool tracking = true) {
        desktop.windows[kTarget] = {0, "Chrome_WidgetWin_1", "応募フォーム - Browser"};
        desktop.windows[view.handle] = {0, "TCV2Frm", "Corvell2！"};
        view.down[ToolButton::Paste] = true;
        if (!tracking) return;
        TrackTarget(kTarget);
    }

    bool Logged(const std::string& call) const {
        return std::find(log.calls.begin(), log.calls.end(), call) != log.calls.end();
    }
    std::size_t CountPrefix(const std::string& prefix) const {
        return static_cast<std::size_t>(std::count_if(log.calls.begin(), log.calls.end(),
                                                      [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    // What every failed clipboard write must leave behind.
    void ExpectCleanFailure(const std::string& message) {
        try {
            frm.SendText("abc");
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_EQ(CountPrefix("SetForegroundWindow"), 0u);
        EXPECT_EQ(CountPrefix("Sleep"), 0u);
        EXPECT_EQ(CountPrefix("key("), 0u);
    }
};

// ---- the send itself ----

TEST_F(SendingTest, WorkedExampleCallSequence) {
    SetWaitTime(100);
    SetFollowUp(1);
    frm.SendText("abc");
    EXPECT_THAT(log.calls, ElementsAreArray({
                               "WriteClipboard",
                               "SetForegroundWindow(500)",
                               "Sleep(100)",
                               "SendInput(4)",
                               "key(0x11, 0)",
                               "key(0x56, 0)",
                               "key(0x11, 2)",
                               "key(0x56, 2)",
                               "SendInput(2)",
                               "key(0x09, 0)",
                               "key(0x09, 2)",
                               "SetForegroundWindow(500)",
                           }));
    EXPECT_EQ(clipboard.owner, view.handle);
    EXPECT_THAT(clipboard.data[kCfText], ElementsAre('a', 'b', 'c', '\0'));
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

TEST_F(SendingTest, ClipboardHoldsShiftJisAndUtf16AndPrivacyFlags) {
    frm.SendText("東京都ソ");
    std::string sjis = "東京都ソ";
    std::vector<unsigned char> text(sjis.begin(), sjis.end());
    text.push_back('\0');
    EXPECT_EQ(clipboard.data[kCfText], text);
    // 東 U+6771, 京 U+4EAC, 都 U+90FD, ソ U+30BD, little-endian, then a zero unit
    EXPECT_THAT(clipboard.data[kCfUnicodeText], ElementsAre(0x71, 0x67, 0xAC, 0x4E, 0xFD, 0x90, 0xBD, 0x30, 0, 0));
    EXPECT_THAT(clipboard.data[kCfLocale], ElementsAre(0x11, 0x04, 0, 0));
    for (const char* name :
         {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
        EXPECT_THAT(clipboard.data[clipboard.registered.at(name)], ElementsAre(0, 0, 0, 0)) << name;
}

TEST_F(SendingTest, PasteModeOffOnlyWritesTheClipboard) {
    view.down[ToolButton::Paste] = false;
    SetFollowUp(1);
    frm.SendText("abc");
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_EQ(log.calls.back(), "WriteClipboard");
}

TEST_F(SendingTest, EmptyTextKeepsTheClipboardAndStillPastes) {
    clipboard.data[kCfText] = {'o', 'l', 'd', '\0'};
    SetFollowUp(2);
    frm.SendText("");
    EXPECT_EQ(clipboard.Text(), "old");
    EXPECT_THAT(log.calls, ElementsAre("SetForegroundWindow(500)", "Sleep(0)", "SendInput(4)", "key(0x11, 0)",
                                       "key(0x56, 0)", "key(0x11, 2)", "key(0x56, 2)", "SendInput(2)", "key(0x0D, 0)",
                                       "key(0x0D, 2)", "SetForegroundWindow(500)"));
}

TEST_F(SendingTest, NegativeWaitTimeDoesNotSleep) {
    SetWaitTime(-1);
    frm.SendText("abc");
    EXPECT_EQ(CountPrefix("Sleep"), 0u);
    EXPECT_TRUE(Logged("key(0x56, 0)"));
}

TEST_F(SendingTest, VanishedTargetStillTypesAndReportsNothing) {
    desktop.windows.erase(kTarget);
    frm.SendText("abc");
    EXPECT_TRUE(Logged("SetForegroundWindow(500)"));
    EXPECT_TRUE(Logged("key(0x56, 2)"));
    EXPECT_THAT(view.boxes, IsEmpty());
}

// ---- the target is ready before any key goes out ----

TEST_F(SendingTest, TargetThatComesForwardLateGetsTheKeysOnceInFront) {
    desktop.foreground = 700;
    desktop.windows[700] = {0, "Other", "他のウィンドウ"};
    desktop.foregroundLocked = true;
    desktop.onSleep = [&] {
        if (desktop.now >= 120) desktop.foregroundLocked = false;
    };
    SetWaitTime(0);
    frm.SendText("abc");
    EXPECT_EQ(desktop.foreground, kTarget);
    EXPECT_GE(desktop.now, 120u);
    EXPECT_LT(desktop.now, 150u);
    // Every key went out after the target came forward: the first SendInput follows the
    // successful forced activation.
    auto force = std::find(log.calls.rbegin(), log.calls.rend(), "ForceForegroundWindow(500)");
    auto firstKeys = std::find(log.calls.begin(), log.calls.end(), "SendInput(4)");
    ASSERT_NE(force, log.calls.rend());
    EXPECT_LT(force.base() - log.calls.begin(), firstKeys - log.calls.begin());
    EXPECT_THAT(view.boxes, IsEmpty());
}

TEST_F(SendingTest, TargetThatOnlyTakesAForcedActivation) {
    desktop.foreground = 700;
    desktop.windows[700] = {0, "Other", "他のウィンドウ"};
    desktop.forceOnly = true;
    frm.SendText("abc");
    EXPECT_EQ(desktop.foreground, kTarget);
    EXPECT_EQ(CountPrefix("ForceForegroundWindow"), 1u);
    EXPECT_TRUE(Logged("key(0x56, 2)"));
}

TEST_F(SendingTest, TargetThatNeverComesForwardGetsNoKeyAndIsReported) {
    desktop.foreground = 700;
    desktop.windows[700] = {0, "Other", "他のウィンドウ"};
    desktop.foregroundLocked = true;
    SetFollowUp(1);
    SetWaitTime(100);
    try {
        frm.SendText("abc");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "貼り付け先のウィンドウを前面にできません");
    }
    EXPECT_EQ(CountPrefix("SendInput"), 0u);
    EXPECT_EQ(clipboard.Text(), "abc");  // the user can still paste by hand
    // The budget is kept: 500 ms, give or take one poll, and the wait time never starts.
    EXPECT_GE(desktop.now, 500u);
    EXPECT_LE(desktop.now, 510u);
    EXPECT_FALSE(Logged("Sleep(100)"));
}

TEST_F(SendingTest, TargetThatVanishesMeanwhileKeepsTheOldBehaviour) {
    desktop.foreground = 700;
    desktop.windows[700] = {0, "Other", "他のウィンドウ"};
    desktop.foregroundLocked = true;
    desktop.onSleep = [&] {
        if (desktop.now >= 50) desktop.windows.erase(kTarget);
    };
    frm.SendText("abc");
    // Gone: nothing to wait for; the keys go where the focus is, as without a target.
    EXPECT_LE(desktop.now, 60u);
    EXPECT_TRUE(Logged("key(0x56, 2)"));
    EXPECT_THAT(view.boxes, IsEmpty());
}

TEST_F(SendingTest, KeysWaitUntilTheTargetHasHandledItsActivation) {
    desktop.answersFrom = 80;
    SetWaitTime(30);
    frm.SendText("abc");
    auto wait = std::find(log.calls.begin(), log.calls.end(), "Sleep(30)");
    auto firstKeys = std::find(log.calls.begin(), log.calls.end(), "SendInput(4)");
    ASSERT_NE(wait, log.calls.end());
    EXPECT_LT(wait, firstKeys);
    EXPECT_EQ(desktop.now, 110u);  // 80 ms for the activation, then the wait time

    // A target that never answers (hung) costs the budget once and still gets the keys.
    log.Clear();
    desktop.now = 0;
    desktop.answersFrom = 100000;
    SetWaitTime(0);
    frm.SendText("abc");
    EXPECT_GE(desktop.now, 500u);
    EXPECT_LE(desktop.now, 510u);
    EXPECT_TRUE(Logged("key(0x56, 2)"));
}

// A Ctrl+click sends from inside the button press: our window is in front, and the release
// of that click still waits in our queue for the tree control. Forcing the activation while
// the switch is under way would cost that release, and with it the click's own send.
TEST_F(SendingTest, AnActivationUnderWayIsAwaitedNeverForced) {
    desktop.foreground = view.handle;
    desktop.takenFrom = 60;
    SetWaitTime(0);
    PointAt(frm.Tree().AppendAtLevel(nullptr, "123-4567"), kHitOnItem);
    frm.MainTreeMouseDown(MouseButton::Left, true, 1, 1);
    EXPECT_EQ(CountPrefix("ForceForegroundWindow"), 0u);
    EXPECT_GE(desktop.now, 60u);
    EXPECT_LE(desktop.now, 70u);
    EXPECT_EQ(clipboard.Text(), "123-4567");
    EXPECT_TRUE(Logged("key(0x56, 2)"));
    EXPECT_THAT(view.boxes, IsEmpty());

    // A switch that outlasts the budget is reported, still unforced, and no key goes out.
    log.Clear();
    desktop.now = 0;
    desktop.takenFrom = 100000;
    EXPECT_THROW(frm.SendText("abc"), Error);
    EXPECT_EQ(CountPrefix("ForceForegroundWindow"), 0u);
    EXPECT_EQ(CountPrefix("SendInput"), 0u);
    EXPECT_LE(desktop.now, 510u);
}

TEST_F(SendingTest, MinimisedTargetIsRestored) {
    desktop.windows[kTarget].iconic = true;
    frm.SendText("abc");
    EXPECT_TRUE(Logged("ShowRestored(500)"));
    EXPECT_FALSE(desktop.windows[kTarget].iconic);
}

TEST_F(SendingTest, ElevatedTargetIsRefused) {
    desktop.integrity[kTarget] = kIntegrityHigh;
    SetFollowUp(1);
    try {
        frm.SendText("abc");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "管理者として実行中のウィンドウには貼り付けできません");
    }
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_EQ(CountPrefix("SetForegroundWindow"), 0u);
    EXPECT_EQ(CountPrefix("SendInput"), 0u);
    // The follow-up key on its own is refused the same way.
    EXPECT_THROW(frm.TabEnterBtnClick(), Error);
    EXPECT_EQ(CountPrefix("SendInput"), 0u);

    // The same level, a lower one, or one that cannot be read: sent as always.
    for (std::uint32_t level : {kIntegrityMedium, 0x1000u, kIntegrityUnknown}) {
        log.Clear();
        desktop.integrity[kTarget] = level;
        frm.SendText("abc");
        EXPECT_TRUE(Logged("key(0x56, 2)")) << level;
    }
    // Our own level unknown: no refusal either.
    log.Clear();
    desktop.integrity[kTarget] = kIntegrityHigh;
    desktop.integrity[0] = kIntegrityUnknown;
    frm.SendText("abc");
    EXPECT_TRUE(Logged("key(0x56, 2)"));
}

// ---- keys the user holds ----

TEST_F(SendingTest, HeldShiftAltAndWindowsKeysAreReleasedAndNeverPressedAgain) {
    struct Case {
        std::set<std::uint16_t> held;
        std::vector<std::string> firstBatch;
    };
    std::vector<Case> cases = {
        {{kVkLShift}, {"SendInput(1)", "key(0xA0, 2)"}},
        {{kVkRShift, kVkLShift}, {"SendInput(2)", "key(0xA0, 2)", "key(0xA1, 2)"}},
        // Alt and Windows keys: an unassigned key first, so that the release opens no menu.
        {{kVkLMenu}, {"SendInput(3)", "key(0xE8, 0)", "key(0xE8, 2)", "key(0xA4, 2)"}},
        {{kVkRMenu, kVkLShift}, {"SendInput(4)", "key(0xE8, 0)", "key(0xE8, 2)", "key(0xA0, 2)", "key(0xA5, 2)"}},
        {{kVkLWin}, {"SendInput(3)", "key(0xE8, 0)", "key(0xE8, 2)", "key(0x5B, 2)"}},
        // Only the generic state set.
        {{kVkShift}, {"SendInput(1)", "key(0x10, 2)"}},
        {{kVkMenu}, {"SendInput(3)", "key(0xE8, 0)", "key(0xE8, 2)", "key(0x12, 2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.held));
        log.Clear();
        keys.batches.clear();
        keys.keysDown = c.held;
        SetFollowUp(1);
        frm.SendText("abc");
        auto first = std::find_if(log.calls.begin(), log.calls.end(),
                                  [](const std::string& l) { return l.rfind("SendInput", 0) == 0; });
        ASSERT_NE(first, log.calls.end());
        EXPECT_EQ(std::vector<std::string>(first, first + static_cast<std::ptrdiff_t>(c.firstBatch.size())),
                  c.firstBatch);
        // Then the chord and the follow-up key exactly as without held keys.
        EXPECT_THAT(std::vector<std::string>(first + static_cast<std::ptrdiff_t>(c.firstBatch.size()), log.calls.end()),
                    ElementsAre("SendInput(4)", "key(0x11, 0)", "key(0x56, 0)", "key(0x11, 2)", "key(0x56, 2)",
                                "SendInput(2)", "key(0x09, 0)", "key(0x09, 2)", "SetForegroundWindow(500)"));
        EXPECT_THAT(keys.keysDown, IsEmpty());
        for (const auto& batch : keys.batches)
            for (const KeyEvent& e : batch)
                EXPECT_FALSE(!e.release && c.held.count(e.key)) << "pressed again: " << e.key;
    }
}

TEST_F(SendingTest, HeldCtrlIsLetGoByTheChordItself) {
    keys.keysDown = {kVkControl};
    frm.SendText("abc");
    EXPECT_EQ(CountPrefix("SendInput"), 1u);
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

// ---- synthesized keys are always released ----

TEST_F(SendingTest, RefusedInputSendsNothingMore) {
    keys.keyEventsLeft = 0;
    SetFollowUp(1);
    frm.SendText("abc");
    // Nothing went down, so there is nothing to release; each batch was tried once.
    EXPECT_EQ(CountPrefix("SendInput"), 2u);
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

TEST_F(SendingTest, HalfSentBatchesAreRepairedByTheirReleases) {
    // The system takes only the first n events of the chord; every key that went down
    // comes up again, and the follow-up key still goes out.
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        log.Clear();
        keys.batches.clear();
        keys.nextBatchLimit = n;
        keys.keysDown.clear();
        SetFollowUp(0);
        frm.SendText("abc");
        EXPECT_THAT(keys.keysDown, IsEmpty());
    }
    // Ctrl and V down, the rest refused: the repair releases Ctrl before V.
    log.Clear();
    keys.batches.clear();
    keys.nextBatchLimit = 2;
    frm.SendText("abc");
    ASSERT_GE(keys.batches.size(), 2u) << ::testing::PrintToString(log.calls);
    EXPECT_EQ(keys.batches[1].size(), 2u);
    EXPECT_EQ(keys.batches[1][0].key, kVkControl);
    EXPECT_TRUE(keys.batches[1][0].release);
    EXPECT_EQ(keys.batches[1][1].key, kVkV);
}

TEST_F(SendingTest, ReleasesGoOutWhenAPressThrows) {
    for (std::uint16_t key : {kVkControl, kVkV, kVkTab}) {
        SCOPED_TRACE(key);
        log.Clear();
        bool thrown = false;
        keys.afterSendKeys = [&](const std::vector<KeyEvent>& events) {
            for (const KeyEvent& e : events)
                if (!thrown && !e.release && e.key == key) {
                    thrown = true;
                    // Half of it went out: the presses are down, the releases are not.
                    for (const KeyEvent& r : events)
                        if (!r.release) keys.keysDown.insert(r.key);
                    throw std::runtime_error("input refused");
                }
        };
        SetFollowUp(1);
        EXPECT_THROW(frm.SendText("abc"), std::runtime_error);
        EXPECT_THAT(keys.keysDown, IsEmpty());
    }
}

// ---- the special target ----

class SpecialTargetTest : public SendingTest {
protected:
    SpecialTargetTest() {
        view.status = kSpecialTitle;
        desktop.windows[kTarget].title = kSpecialTitle;
        desktop.windows[101] = {kTarget, "MDIClient", ""};
        desktop.windows[102] = {101, "ThunderRT6FormDC", "日記・予定"};
        desktop.windows[103] = {102, "ThunderRT6UserControlDC", ""};
        desktop.windows[104] = {103, "TextEdit", ""};
    }
};

TEST_F(SpecialTargetTest, PastesByMessageIntoTheDiaryEdit) {
    SetWaitTime(300);
    SetFollowUp(1);
    frm.SendText("abc");
    auto first = std::find(log.calls.begin(), log.calls.end(), "SetForegroundWindow(500)");
    ASSERT_NE(first, log.calls.end());
    EXPECT_THAT(
        std::vector<std::string>(first, log.calls.end()),
        ElementsAre("SetForegroundWindow(500)", "Sleep(300)", "FindWindowEx(500, MDIClient, null)",
                    "FindWindowEx(101, ThunderRT6FormDC, 日記・予定)",
                    "FindWindowEx(102, ThunderRT6UserControlDC, null)", "FindWindowEx(103, TextEdit, null)",
                    "SendPaste(104)", "SendInput(2)", "key(0x09, 0)", "key(0x09, 2)", "SetForegroundWindow(500)"));
}

TEST_F(SpecialTargetTest, ABrokenChainPastesNothingAndSearchesOnFromTheTop) {
    const char* classes[] = {"MDIClient", "ThunderRT6FormDC", "ThunderRT6UserControlDC", "TextEdit"};
    for (WindowHandle missing = 101; missing <= 104; ++missing) {
        SCOPED_TRACE(missing);
        auto saved = desktop.windows;
        desktop.windows.erase(missing);
        log.Clear();
        desktop.pasted.clear();
        SetFollowUp(2);
        frm.SendText("abc");
        EXPECT_THAT(desktop.pasted, IsEmpty());
        EXPECT_EQ(CountPrefix("key(0x56"), 0u);
        EXPECT_TRUE(Logged("key(0x0D, 2)"));
        EXPECT_EQ(log.calls.back(), "SetForegroundWindow(500)");
        // Every search after the break looks among the top-level desktop.
        for (WindowHandle step = missing + 1; step <= 104; ++step) {
            std::string cls = classes[step - 101];
            std::string name = step == 102 ? "日記・予定" : "null";
            EXPECT_TRUE(Logged("FindWindowEx(0, " + cls + ", " + name + ")")) << cls;
        }
        desktop.windows = saved;
    }
}

TEST_F(SpecialTargetTest, OnlyTheExactTitleIsSpecial) {
    for (const std::string& title :
         std::vector<std::string>{kSpecialTitle + " ", "tarvex[Tarvex] - [日記・予定]", kSpecialTitle.substr(1)}) {
        log.Clear();
        view.status = title;
        frm.SendText("abc");
        EXPECT_EQ(CountPrefix("FindWindowEx"), 0u) << title;
        EXPECT_TRUE(Logged("key(0x56, 0)")) << title;
    }
}

// ---- failures of the clipboard write ----

TEST_F(SendingTest, ClipboardHeldByAnotherProgram) {
    clipboard.heldUntil = 1000;
    ExpectCleanFailure("クリップボードを開くことができません");
    EXPECT_EQ(clipboard.Text(), "");
}

TEST_F(SendingTest, ClipboardFreedWithinTheRetryTime) {
    clipboard.heldUntil = 50;
    frm.SendText("abc");
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_TRUE(Logged("key(0x56, 2)"));
}

TEST_F(SendingTest, TextThatCannotBeSetIsReportedAndNothingIsPasted) {
    clipboard.textError = 8;  // not enough memory
    ExpectCleanFailure("クリップボードにデータを設定できません");
}

TEST_F(SendingTest, TheExtrasNeverStopTheSend) {
    // An extra that cannot be set or registered is left out; the send goes on to the paste.
    clipboard.failingFormats = {kCfUnicodeText, kCfLocale};
    clipboard.unregisterableNames = {"CanUploadToCloudClipboard"};
    frm.SendText("abc");
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_EQ(clipboard.data.size(), 3u);
    EXPECT_TRUE(Logged("key(0x56, 2)"));
    EXPECT_THAT(view.boxes, IsEmpty());
}

// ---- follow-up key ----

TEST_F(SendingTest, FollowUpKeyByChoiceAndMode) {
    struct Case {
        bool paste;
        int index;
        std::vector<std::string> keys;
    };
    std::vector<Case> cases = {
        {true, 0, {}},
        {true, 1, {"SendInput(2)", "key(0x09, 0)", "key(0x09, 2)"}},
        {true, 2, {"SendInput(2)", "key(0x0D, 0)", "key(0x0D, 2)"}},
        {false, 1, {}},
        {false, 2, {}},
    };
    for (const Case& c : cases) {
        log.Clear();
        view.down[ToolButton::Paste] = c.paste;
        SetFollowUp(c.index);
        frm.PressFollowUpKey();
        EXPECT_EQ(log.calls, c.keys) << c.paste << " " << c.index;
    }
}

TEST_F(SendingTest, TabEnterButtonInEachState) {
    struct Case {
        bool paste;
        int index;
        std::vector<std::string> calls;
    };
    std::vector<Case> cases = {
        {false, 0, {}},
        {false, 1, {}},
        {false, 2, {}},
        {true, 0, {}},
        {true,
         1,
         {"SetForegroundWindow(500)", "SendInput(2)", "key(0x09, 0)", "key(0x09, 2)", "SetForegroundWindow(500)"}},
        {true,
         2,
         {"SetForegroundWindow(500)", "SendInput(2)", "key(0x0D, 0)", "key(0x0D, 2)", "SetForegroundWindow(500)"}},
    };
    SetWaitTime(500);
    for (const Case& c : cases) {
        log.Clear();
        view.down[ToolButton::Paste] = c.paste;
        SetFollowUp(c.index);
        frm.TabEnterBtnClick();
        EXPECT_EQ(log.calls, c.calls) << c.paste << " " << c.index;
    }
}

TEST_F(SendingTest, FollowUpChoiceShownOnButtonAndMenu) {
    struct Row {
        int image;
        std::string hint, caption;
    };
    Row rows[] = {{24, "何もしない", "何もしない(&P)"},
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
    // An entry that is not there changes nothing.
    frm.NoTabEnterClick(3);
    EXPECT_EQ(frm.TabEnterIndex(), 1);
    EXPECT_EQ(view.tabEnterImage, 25);
    EXPECT_EQ(view.tabEnterMenuCaption, "Tabを押す(&P)");
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
    Case cases[] = {
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
}

TEST_F(SendingTest, ClickModeDecidesWhichGestureSends) {
    view.down[ToolButton::Paste] = false;
    PointAt(frm.Tree().AppendAtLevel(nullptr, "x"), kHitOnItem);
    auto sends = [&](void (TCV2Frm::*gesture)(bool)) {
        log.Clear();
        (frm.*gesture)(false);
        return Logged("WriteClipboard");
    };
    // Before the mode is applied both gestures send.
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeDblClick));

    frm.ClickCheckClick();  // single-click mode
    EXPECT_TRUE(frm.ClickCheck());
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_FALSE(sends(&TCV2Frm::MainTreeDblClick));

    frm.ClickCheckClick();  // double-click mode
    EXPECT_FALSE(frm.ClickCheck());
    EXPECT_FALSE(sends(&TCV2Frm::MainTreeClick));
    EXPECT_TRUE(sends(&TCV2Frm::MainTreeDblClick));
}

TEST_F(SendingTest, DeletedPointerItemIsNeverSent) {
    view.down[ToolButton::Paste] = false;
    Item* parent = frm.Tree().AppendAtLevel(nullptr, "parent");
    PointAt(frm.Tree().AppendChild(parent, "child"), kHitOnItem);
    frm.Tree().Clear();
    frm.MainTreeDblClick();
    EXPECT_THAT(log.calls, IsEmpty());
}

// ---- target tracking ----

class TrackingTest : public SendingTest {
protected:
    TrackingTest() : SendingTest(false) {
        desktop.windows[600] = {0, "Notepad", "メモ帳"};
        desktop.windows[601] = {0, "Notepad", "メモ帳"};
        desktop.windows[602] = {0, "Shell_TrayWnd", ""};
    }
    void Tick(WindowHandle foreground) {
        desktop.foreground = foreground;
        frm.Timer1Timer();
    }
};

TEST_F(TrackingTest, FollowsTheForegroundWindowButNotItself) {
    Tick(600);
    EXPECT_EQ(frm.TargetWindow(), 600u);
    EXPECT_EQ(view.status, "メモ帳");
    log.Clear();
    Tick(view.handle);  // the user clicks items in the main window
    Tick(602);          // the task bar has no title
    Tick(0);            // nothing in the foreground
    Tick(600);          // unchanged: the panel is not written again
    EXPECT_EQ(frm.TargetWindow(), 600u);
    EXPECT_EQ(view.status, "メモ帳");
    EXPECT_THAT(log.calls, IsEmpty());
}

TEST_F(TrackingTest, SameTitleOtherWindowAndTitleChange) {
    Tick(600);
    Tick(601);
    EXPECT_EQ(frm.TargetWindow(), 601u);
    EXPECT_EQ(view.status, "メモ帳");
    desktop.windows[601].title = "無題 - メモ帳";
    Tick(601);
    EXPECT_EQ(frm.TargetWindow(), 601u);
    EXPECT_EQ(view.status, "無題 - メモ帳");
}

TEST_F(TrackingTest, LongTitlesAreCutTo255BytesWithoutSplittingACharacter) {
    desktop.windows[600].title = std::string(300, 'a');
    Tick(600);
    EXPECT_EQ(view.status, std::string(255, 'a'));
    // A double-byte character over the boundary is left out whole.
    desktop.windows[600].title = std::string(254, 'b') + "あいう";
    Tick(600);
    EXPECT_EQ(view.status, std::string(254, 'b'));
    desktop.windows[600].title = std::string(253, 'c') + "あいう";
    Tick(600);
    EXPECT_EQ(view.status, std::string(253, 'c') + "あ");
    // The comparison uses the cut title: a change beyond it is not seen.
    log.Clear();
    desktop.windows[600].title = std::string(253, 'c') + "あえ";
    Tick(600);
    EXPECT_THAT(log.calls, IsEmpty());
}

TEST_F(TrackingTest, PasteButtonSwitchesTheTimerAndBlanksThePanel) {
    Tick(600);
    view.down[ToolButton::Paste] = false;
    frm.PasteBtnClick();
    EXPECT_FALSE(view.timerEnabled);
    EXPECT_EQ(view.status, "");
    EXPECT_EQ(frm.TargetWindow(), 600u);  // kept for the next send
    view.down[ToolButton::Paste] = true;
    frm.PasteBtnClick();
    EXPECT_TRUE(view.timerEnabled);
    EXPECT_EQ(view.status, "");
}

}  // namespace
}  // namespace cv2
