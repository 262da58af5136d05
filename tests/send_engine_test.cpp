// The engine that carries out every plan: order, stopping, keys never left down, the
// readiness of the target, and the handshake that keeps a text on the clipboard until its
// target has read it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "base/Error.h"
#include "send/KeyBatches.h"
#include "send/Planner.h"
#include "send/SendEngine.h"
#include "tests/support/FakePlatform.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr WindowHandle kOwner = 1;
constexpr WindowHandle kTarget = 500;
constexpr WindowHandle kTargetReader = 501;  // the window through which the target reads
constexpr WindowHandle kOtherReader = 900;   // another program that reads the clipboard
constexpr std::uint32_t kTargetProcess = 77;

// The fakes, an engine on them, and a target that can read the clipboard.
struct Rig : fakes::FakePlatform {
    Rig() {
        desktop.windows[kOwner] = {0, "TCV2Frm", "Corvell2！"};
        desktop.windows[kOwner].process = fakes::FakeDesktop::kOurProcess;
        desktop.windows[kTarget] = {0, "Chrome_WidgetWin_1", "応募フォーム"};
        desktop.windows[kTarget].process = kTargetProcess;
        desktop.windows[kTargetReader] = {0, "ClipboardReader", ""};
        desktop.windows[kTargetReader].process = kTargetProcess;
        desktop.windows[kOtherReader] = {0, "History", ""};
        desktop.foreground = kOwner;
        clipboard.onRenderRequest = [this](unsigned format) { engine.Render(format); };
        clipboard.onReleased = [this] { engine.ClipboardReleased(); };
        settings.owner = kOwner;
        settings.target = kTarget;
        settings.followUp = 1;
    }

    Plan Send(const std::string& text) { return PlanSend(settings, {text}); }
    RunOutcome Go(const Plan& plan) { return engine.Run(plan); }
    std::string ErrorOf(const Plan& plan) {
        try {
            engine.Run(plan);
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    }
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : log.calls)
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }
    // The target reads the clipboard through its own window `ms` after each Ctrl+V, as a
    // busy page does; what it read lands in `fields`, one per paste.
    void TargetReadsAfter(int ms, WindowHandle reader = kTargetReader) {
        keys.afterSendKeys = [this, ms, reader](const std::vector<KeyEvent>& batch) {
            if (batch.size() < 2 || batch[0].key != kVkControl || batch[1].key != kVkV) return;
            const std::size_t field = fields.size();
            fields.emplace_back();
            clock.At(clock.now + static_cast<std::uint64_t>(ms), [this, field, reader] {
                auto bytes = clipboard.Read(reader, kCfUnicodeText);
                if (bytes) fields[field] = std::string(bytes->begin(), bytes->end());
            });
        };
    }
    static std::string Utf16(const char* ascii) {
        std::string s;
        for (const char* p = ascii; *p; ++p) s += std::string{*p, '\0'};
        return s + std::string(2, '\0');
    }

    SendEngine engine{{desktop, keys, clipboard, clock}};
    SendSettings settings;
    std::vector<std::string> fields;
};

class SendEngineTest : public ::testing::Test, public Rig {};

// ---- order, stopping, keys ----

TEST_F(SendEngineTest, StepsRunInOrderAndTheChordGoesWithTheFollowUpKeyInOneBatch) {
    EXPECT_EQ(Go(Send("abc")), RunOutcome::Done);
    EXPECT_THAT(Calls(""), ElementsAre("WriteClipboard", "SetForegroundWindow(500)", "SendInput(6)", "key(0x11, 0)",
                                       "key(0x56, 0)", "key(0x11, 2)", "key(0x56, 2)", "key(0x09, 0)", "key(0x09, 2)",
                                       "SetForegroundWindow(500)"));
    EXPECT_EQ(clipboard.Text(), "abc");
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

TEST_F(SendEngineTest, TheFirstFailingStepStopsThePlanWithNoKeyDown) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> arrange;
        const char* error;
        bool clipboardHasText;
    };
    const Case cases[] = {
        {"clipboard held", [](Rig& r) { r.clipboard.heldUntil = 100000; }, "クリップボードを開くことができません",
         false},
        {"text refused", [](Rig& r) { r.clipboard.textError = 8; }, "クリップボードにデータを設定できません", false},
        {"no target", [](Rig& r) { r.settings.target = 0; }, "貼り付け先のウィンドウが見つかりません", true},
        {"target gone", [](Rig& r) { r.desktop.windows.erase(kTarget); }, "貼り付け先のウィンドウが見つかりません",
         true},
        {"elevated target", [](Rig& r) { r.desktop.integrity[kTarget] = kIntegrityHigh; },
         "管理者として実行中のウィンドウには貼り付けできません", true},
        {"never in front", [](Rig& r) { r.desktop.foregroundLocked = true; },
         "貼り付け先のウィンドウを前面にできません", true},
        {"gone while coming forward",
         [](Rig& r) {
             r.desktop.foregroundLocked = true;
             r.clock.At(50, [&r] { r.desktop.windows.erase(kTarget); });
         },
         "貼り付け先のウィンドウが見つかりません", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        c.arrange(r);
        EXPECT_EQ(r.ErrorOf(r.Send("abc")), c.error);
        EXPECT_THAT(r.Calls("SendInput"), IsEmpty());
        EXPECT_EQ(r.clipboard.Text(), c.clipboardHasText ? "abc" : "") << "the user can still paste by hand";
        EXPECT_LE(r.clock.now, 520u) << "within the readiness budget";
    }
}

TEST_F(SendEngineTest, AHotKeyIntoAnElevatedWindowAndAHungDiaryAreReportedNotPassedOver) {
    // A hotkey's window is not activated, yet it is checked as an activated one is.
    desktop.integrity[kTarget] = kIntegrityHigh;
    EXPECT_EQ(ErrorOf(PlanFormStep(settings, FormStep::Send, {"abc"}, {})),
              "管理者として実行中のウィンドウには貼り付けできません");
    EXPECT_THAT(Calls("SendInput"), IsEmpty());
    desktop.integrity.erase(kTarget);

    desktop.windows[101] = {kTarget, "MDIClient", ""};
    desktop.windows[102] = {101, "ThunderRT6FormDC", "日記・予定"};
    desktop.windows[103] = {102, "ThunderRT6UserControlDC", ""};
    desktop.windows[104] = {103, "TextEdit", ""};
    desktop.pasteHangs = true;
    settings.specialTarget = true;
    EXPECT_EQ(ErrorOf(Send("予定")), "貼り付け先のウィンドウが応答しません");
    const std::uint64_t before = clock.now;
    desktop.pasteHangs = false;
    Go(Send("予定"));
    EXPECT_LT(clock.now - before, 600u) << "a hung diary took nothing: no wait for it";
}

TEST_F(SendEngineTest, ABatchTheSystemTookInPartIsRepairedAndAThrowingPortLeavesNothingDown) {
    for (int n = 1; n <= 5; ++n) {
        keys.nextBatchLimit = n;
        Go(Send("abc"));
        EXPECT_THAT(keys.keysDown, IsEmpty()) << n;
    }
    // Ctrl and V down, the rest refused: the repair releases Ctrl before V.
    keys.batches.clear();
    keys.nextBatchLimit = 2;
    Go(Send("abc"));
    ASSERT_GE(keys.batches.size(), 2u);
    EXPECT_THAT(keys.batches[1], ElementsAre(Release(kVkControl), Release(kVkV)));

    keys.afterSendKeys = [this](const std::vector<KeyEvent>& batch) {
        if (batch.size() < 6) return;
        for (const KeyEvent& e : batch)
            if (!e.release) keys.keysDown.insert(e.key);  // the presses went out, the releases did not
        throw std::runtime_error("input refused");
    };
    log.Clear();
    EXPECT_THROW(Go(Send("abc")), std::runtime_error);
    EXPECT_THAT(keys.keysDown, IsEmpty());
    EXPECT_THAT(Calls("SetForegroundWindow"), ElementsAre("SetForegroundWindow(500)")) << "no refocus after it";
}

TEST_F(SendEngineTest, ACtrlClickInTypingModeSendsTabWithCtrlUp) {
    settings.conversion.typing = true;
    keys.keysDown = {kVkLControl};
    Go(Send("ab"));
    ASSERT_EQ(keys.batches.size(), 2u);
    EXPECT_THAT(keys.batches[0], ElementsAre(Release(kVkLControl)));
    EXPECT_EQ(keys.batches[1].back(), Release(kVkTab));
    for (const KeyEvent& e : keys.batches[1]) EXPECT_TRUE(e.unicode || e.key == kVkTab);
    EXPECT_THAT(keys.keysDown, IsEmpty());
}

// ---- the target comes forward before any key ----

TEST_F(SendEngineTest, TheTargetIsMadeReadyWithinItsBudget) {
    TargetReadsAfter(0);
    // Locked out for 120 ms, then a forced activation gets through: the keys wait for it.
    desktop.foregroundLocked = true;
    clock.onWait = [this] { desktop.foregroundLocked = clock.now < 120; };
    Go(Send("abc"));
    EXPECT_GE(clock.now, 120u);
    EXPECT_LT(clock.now, 140u);
    auto force = std::find(log.calls.rbegin(), log.calls.rend(), "ForceForegroundWindow(500)");
    auto keysOut = std::find(log.calls.begin(), log.calls.end(), "SendInput(6)");
    ASSERT_NE(force, log.calls.rend());
    EXPECT_LE(force.base() - log.calls.begin(), keysOut - log.calls.begin());

    // A switch under way (no window in front) is waited for and never forced: forcing would
    // cost the mouse input still queued for us.
    log.Clear();
    clock.onWait = nullptr;
    desktop.foreground = kOwner;
    desktop.takenFrom = clock.now + 60;
    Go(Send("abc"));
    EXPECT_THAT(Calls("ForceForegroundWindow"), IsEmpty());
    EXPECT_THAT(Calls("SendInput"), ElementsAre("SendInput(6)"));

    // A target that takes its activation late gets the keys after it, and a hung one after
    // the budget; a minimised one is restored.
    for (std::uint64_t late : {80u, 100000u}) {
        const std::uint64_t start = clock.now;
        desktop.answersFrom = start + late;
        desktop.windows[kTarget].iconic = true;
        Go(Send("abc"));
        EXPECT_EQ(clock.now - start, std::min<std::uint64_t>(late, kReadyBudgetMs));
        EXPECT_FALSE(desktop.windows[kTarget].iconic);
    }
}

// ---- the paste handshake ----

TEST_F(SendEngineTest, NoOfferReplacesATextItsTargetHasNotReadYet) {
    TargetReadsAfter(600);
    Go(Send("abc"));
    Go(Send("def"));  // the next double-click, at once
    Go(Send("ghi"));
    clock.Wait(1000);  // the last read
    EXPECT_THAT(fields, ElementsAre(Utf16("abc"), Utf16("def"), Utf16("ghi")));
    EXPECT_EQ(engine.LastTakenMs(), 600);
    EXPECT_THAT(desktop.traces,
                ElementsAre("Corvell2: taken 600 ms", "Corvell2: taken 600 ms", "Corvell2: taken 600 ms"));
}

TEST_F(SendEngineTest, ReadersThatAreNotTheTargetDoNotCountAndAFieldThatNeverReadsCostsTheBudgetOnce) {
    // A clipboard history reads at once; the target never does (a field that refuses pastes).
    TargetReadsAfter(5, kOtherReader);
    Go(Send("abc"));
    const std::uint64_t pasted = clock.now;
    EXPECT_TRUE(engine.AwaitingTaken());
    Go(Send("def"));
    EXPECT_EQ(fields.front(), Utf16("abc"));
    EXPECT_EQ(clock.now - pasted, static_cast<std::uint64_t>(kTakenBudgetMs)) << "waited the budget, no more";
    EXPECT_FALSE(engine.LastTakenMs().has_value());

    // A send long after the budget waits for nothing.
    keys.afterSendKeys = nullptr;
    Go(Send("ghi"));
    clock.now += 3000;
    const std::uint64_t start = clock.now;
    Go(Send("jkl"));
    EXPECT_EQ(clock.now, start);
}

TEST_F(SendEngineTest, NothingIsAwaitedWhenTheClipboardNoLongerHoldsOurText) {
    Go(Send("abc"));
    clipboard.ReplaceBy(kOtherReader, "他のアプリ");  // another program copies something
    EXPECT_FALSE(engine.AwaitingTaken());
    Go(Send(""));  // an empty item pastes what is there: not ours to wait for
    EXPECT_FALSE(engine.AwaitingTaken());
    const std::uint64_t start = clock.now;
    Go(Send("def"));
    EXPECT_EQ(clock.now, start);
}

TEST_F(SendEngineTest, TheTargetKeepsTheKeyboardUntilItTookThePasteOrItsKeysSettled) {
    EXPECT_FALSE(engine.TargetTakingKeys());
    TargetReadsAfter(600);
    Go(Send("abc"));
    clock.now += 500;
    EXPECT_TRUE(engine.TargetTakingKeys()) << "the page has not read yet";
    clock.Wait(200);
    EXPECT_FALSE(engine.TargetTakingKeys());
    settings.conversion.typing = true;
    Go(Send("abc"));
    EXPECT_TRUE(engine.TargetTakingKeys());
    clock.now += kKeysSettleMs;
    EXPECT_FALSE(engine.TargetTakingKeys());
}

TEST_F(SendEngineTest, APlanAskedForDuringAWaitRunsAfterTheOneWaiting) {
    TargetReadsAfter(300);
    Go(Send("abc"));
    // While the next send waits for "abc" to be taken, a message we answer asks for a send.
    clock.At(clock.now + 100, [this] { Go(Send("ghi")); });
    Go(Send("def"));
    clock.Wait(1000);
    EXPECT_THAT(fields, ElementsAre(Utf16("abc"), Utf16("def"), Utf16("ghi")));
    EXPECT_THAT(Calls("WriteClipboard"), ElementsAre("WriteClipboard", "WriteClipboard", "WriteClipboard"));
}

TEST_F(SendEngineTest, TheOfferPromisesItsUnicodeFormAndHandsItOverWhenWeGo) {
    Go(Send("東ｱ"));
    EXPECT_EQ(clipboard.promised, std::set<unsigned>{kCfUnicodeText});
    EXPECT_THAT(clipboard.data[kCfLocale], ElementsAre(0x11, 0x04, 0, 0));
    for (const char* name : {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                             "CanUploadToCloudClipboard", "Clipboard Viewer Ignore"})
        EXPECT_THAT(clipboard.data[clipboard.registered.at(name)], ElementsAre(0, 0, 0, 0)) << name;
    engine.RenderAll(kOwner);
    EXPECT_THAT(clipboard.data[kCfUnicodeText], ElementsAre(0x71, 0x67, 0x71, 0xFF, 0, 0));

    // Extras that cannot be set never stop the send.
    clipboard.failingFormats = {kCfUnicodeText, kCfLocale};
    clipboard.unregisterableNames = {"CanUploadToCloudClipboard"};
    EXPECT_EQ(ErrorOf(Send("abc")), "");
    EXPECT_EQ(clipboard.Text(), "abc");
}

// ---- the input method around typed text ----

TEST_F(SendEngineTest, TheInputMethodIsClosedForTypedTextAndOpenedAgainOnceItLanded) {
    desktop.windows[kTarget].imeOpen = 1;
    int imeAtTyping = -1;
    keys.afterSendKeys = [&](const std::vector<KeyEvent>& batch) {
        if (batch.front().unicode) imeAtTyping = desktop.windows[kTarget].imeOpen;
    };
    settings.conversion.typing = true;
    Go(Send("あ"));
    EXPECT_EQ(imeAtTyping, 0);
    const std::uint64_t typed = clock.now;
    engine.Idle();
    EXPECT_EQ(desktop.windows[kTarget].imeOpen, 0) << "the keys may not have landed yet";
    clock.now = typed + kImeSettleMs;
    engine.Idle();
    EXPECT_EQ(desktop.windows[kTarget].imeOpen, 1);

    // Pasting leaves it alone, and so does typing into a field whose input method is off.
    settings.conversion.typing = false;
    log.Clear();
    Go(Send("あ"));
    desktop.windows[kTarget].imeOpen = 0;
    settings.conversion.typing = true;
    Go(Send("あ"));
    clock.now += kImeSettleMs;
    engine.Idle();
    EXPECT_THAT(Calls("SetImeOpen"), IsEmpty());
}

// ---- groups and the diary ----

TEST_F(SendEngineTest, AGroupStopsWhenTheTargetLosesTheFrontEscIsPressedOrOurWindowIsClicked) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> stop;
    };
    const Case cases[] = {
        {"our window in front", [](Rig& r) { r.desktop.foreground = kOwner; }},
        {"Esc held", [](Rig& r) { r.keys.keysDown.insert(kVkEscape); }},
        // A short press while the group waits for the page to read the text before.
        {"Esc tapped during the wait",
         [](Rig& r) {
             r.clock.At(r.clock.now + 100, [&r] { r.keys.keysDown.insert(kVkEscape); });
             r.clock.At(r.clock.now + 150, [&r] { r.keys.keysDown.erase(kVkEscape); });
         }},
        {"our window clicked", [](Rig& r) { r.desktop.ourWindowClicked = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        std::vector<std::string> progress;
        r.engine.onProgress = [&](const std::string& p) { progress.push_back(p); };
        bool stopped = false;
        r.keys.afterSendKeys = [&](const std::vector<KeyEvent>&) {
            if (!stopped) c.stop(r);
            stopped = true;
        };
        EXPECT_EQ(r.Go(PlanGroup(r.settings, {{"a"}, {"b"}, {"c"}})), RunOutcome::Stopped);
        EXPECT_EQ(r.keys.batches.size(), 1u) << "nothing more typed";
        EXPECT_THAT(progress, ElementsAre("1/3", "2/3"));
    }
}

TEST_F(SendEngineTest, TheDiaryGetsItsPasteByMessageAndABrokenChainSearchesOnFromTheTop) {
    desktop.windows[101] = {kTarget, "MDIClient", ""};
    desktop.windows[102] = {101, "ThunderRT6FormDC", "日記・予定"};
    desktop.windows[103] = {102, "ThunderRT6UserControlDC", ""};
    desktop.windows[104] = {103, "TextEdit", ""};
    desktop.onPaste = [this](WindowHandle) { clipboard.Read(kTargetReader, kCfUnicodeText); };
    settings.specialTarget = true;
    Go(Send("予定"));
    EXPECT_THAT(desktop.pasted, ElementsAre(104));
    EXPECT_EQ(engine.LastTakenMs(), 0) << "read inside WM_PASTE";

    const char* classes[] = {"MDIClient", "ThunderRT6FormDC", "ThunderRT6UserControlDC", "TextEdit"};
    for (WindowHandle missing = 101; missing <= 104; ++missing) {
        SCOPED_TRACE(missing);
        auto saved = desktop.windows;
        desktop.windows.erase(missing);
        log.Clear();
        desktop.pasted.clear();
        Go(Send("予定"));
        EXPECT_THAT(desktop.pasted, IsEmpty());
        EXPECT_THAT(Calls("SendInput"), ElementsAre("SendInput(2)")) << "the follow-up key still goes";
        for (WindowHandle step = missing + 1; step <= 104; ++step) {
            const std::string name = step == 102 ? "日記・予定" : "null";
            EXPECT_THAT(Calls("FindWindowEx(0, " + std::string(classes[step - 101]) + ", " + name + ")"),
                        ElementsAre(::testing::_));
        }
        desktop.windows = saved;
    }
}

}  // namespace
}  // namespace cv2
