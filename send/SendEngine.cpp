#include "send/SendEngine.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "base/Cp932.h"
#include "base/Error.h"
#include "send/KeyBatches.h"

namespace cv2 {
namespace {

constexpr const char* kCannotOpenClipboard = "クリップボードを開くことができません";
constexpr const char* kCannotFillClipboard = "クリップボードにデータを設定できません";
constexpr const char* kTargetNotInFront = "貼り付け先のウィンドウを前面にできません";
constexpr const char* kTargetElevated = "管理者として実行中のウィンドウには貼り付けできません";
constexpr const char* kNoTarget = "貼り付け先のウィンドウが見つかりません";
constexpr const char* kTargetNotAnswering = "貼り付け先のウィンドウが応答しません";

constexpr const char* kDiaryFormName = "日記・予定";

// How often a wait looks again at what changes without a message (keys, the foreground).
constexpr int kPollMs = 10;

// UTF-16 little-endian with its terminating zero, as CF_UNICODETEXT holds it.
std::vector<unsigned char> UnicodeBytes(const std::string& text) {
    std::wstring wide = FromCp932(text);
    std::vector<unsigned char> bytes;
    bytes.reserve((wide.size() + 1) * 2);
    for (wchar_t c : wide) {
        auto unit = static_cast<unsigned>(c) & 0xFFFFu;  // code page 932 lies inside the BMP
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace

template <class Done>
bool SendEngine::WaitUntil(std::uint64_t deadline, Done done) {
    for (;;) {
        if (watching_) NoteStopRequest();
        if (done()) return true;
        const std::uint64_t now = p_.clock.Now();
        if (now >= deadline) return false;
        p_.clock.Wait(static_cast<int>(std::min<std::uint64_t>(deadline - now, kPollMs)));
    }
}

RunOutcome SendEngine::Run(const Plan& plan) {
    if (running_) {
        queued_.push_back(plan);
        return RunOutcome::Done;
    }
    running_ = true;
    RunOutcome outcome = RunOutcome::Done;
    try {
        outcome = RunSteps(plan);
        while (!queued_.empty()) {
            const Plan next = std::move(queued_.front());
            queued_.pop_front();
            RunSteps(next);
        }
    } catch (...) {
        running_ = false;
        queued_.clear();
        throw;
    }
    running_ = false;
    return outcome;
}

RunOutcome SendEngine::RunSteps(const Plan& plan) {
    cleared_ = 0;
    ReopenImeWhenDue(true);
    watching_ =
        std::any_of(plan.steps.begin(), plan.steps.end(), [](const Step& s) { return s.kind == StepKind::Checkpoint; });
    stopRequested_ = false;
    try {
        for (const Step& step : plan.steps)
            if (!RunStep(plan, step)) return RunOutcome::Stopped;
    } catch (...) {
        // A failure between closing the input method and the keys leaves it to be opened again.
        if (closedIme_) imeToReopen_ = ImeToReopen{closedIme_, p_.clock.Now()};
        closedIme_ = 0;
        throw;
    }
    if (closedIme_) imeToReopen_ = ImeToReopen{closedIme_, p_.clock.Now() + kImeSettleMs};
    closedIme_ = 0;
    return RunOutcome::Done;
}

bool SendEngine::RunStep(const Plan& plan, const Step& step) {
    switch (step.kind) {
        case StepKind::AwaitTaken:
            if (AwaitingTaken()) WaitUntil(pasted_->at + kTakenBudgetMs, [this] { return !AwaitingTaken(); });
            return true;
        case StepKind::Offer:
            Offer(plan.owner, step.text);
            return true;
        case StepKind::Activate:
            Activate(step.window);
            return true;
        case StepKind::Pause:
            if (step.ms > 0) WaitUntil(p_.clock.Now() + static_cast<std::uint64_t>(step.ms), [] { return false; });
            return true;
        case StepKind::AwaitKeysUp:
            WaitUntil(p_.clock.Now() + static_cast<std::uint64_t>(std::max(step.ms, 0)), [&] {
                return std::none_of(step.keys.begin(), step.keys.end(),
                                    [this](const KeyEvent& k) { return p_.keys.IsKeyDown(k.key); });
            });
            return true;
        case StepKind::ReleaseHeld: {
            // Released and never pressed again: the user's fingers may still be on them.
            const std::vector<KeyEvent> releases =
                HeldReleases([this](std::uint16_t key) { return p_.keys.IsKeyDown(key); }, step.withCtrl);
            if (!releases.empty()) SendBatch(releases);
            return true;
        }
        case StepKind::CloseIme: {
            const WindowHandle ime = p_.desktop.FocusImeWindow(step.window);
            if (ime && p_.desktop.ImeOpenStatus(ime) == 1 && p_.desktop.SetImeOpenStatus(ime, false)) closedIme_ = ime;
            return true;
        }
        case StepKind::Keys:
            RefuseElevated(step.window);
            if (step.paste) NotePaste(step.window);
            SendBatch(step.keys);
            keysOut_ = KeysOut{step.window, p_.clock.Now()};
            return true;
        case StepKind::DiaryPaste:
            RefuseElevated(step.window);
            DiaryPaste(step.window);
            return true;
        case StepKind::ReopenIme:
            // The keys are still on their way to the target, and an input method opened before
            // they arrive would take them: it is opened once they have had time to land.
            if (closedIme_) imeToReopen_ = ImeToReopen{closedIme_, p_.clock.Now() + kImeSettleMs};
            closedIme_ = 0;
            return true;
        case StepKind::Checkpoint:
            NoteStopRequest();
            return !stopRequested_ && p_.desktop.GetForegroundWindow() == step.window;
        case StepKind::Progress:
            if (onProgress) onProgress(step.text);
            return true;
        case StepKind::Refocus:
            p_.desktop.SetForegroundWindow(step.window);
            return true;
    }
    return true;
}

void SendEngine::Offer(WindowHandle owner, const std::string& text) {
    // Beside the text: its UTF-16 form, so that the paste is right whatever the reader's code
    // page, promised rather than given, so that we learn who reads it; the locale that tells
    // readers of the text its code page; and flags that keep personal data out of clipboard
    // managers, the clipboard history and the cloud clipboard. The extras only help, so none
    // of them may stop the send.
    const std::vector<unsigned char> zeroDword(4, 0);
    const std::vector<ClipboardExtra> extras = {
        {kCfUnicodeText, {}, UnicodeBytes(text), true},
        {kCfLocale, {}, {0x11, 0x04, 0, 0}, false},  // LCID 0x0411, little-endian
        {0, "ExcludeClipboardContentFromMonitorProcessing", zeroDword, false},
        {0, "CanIncludeInClipboardHistory", zeroDword, false},
        {0, "CanUploadToCloudClipboard", zeroDword, false},
        {0, "Clipboard Viewer Ignore", zeroDword, false},
    };
    // Emptying the clipboard tells its last owner, us, that it was emptied: not news here.
    writing_ = true;
    ClipboardResult result;
    try {
        result = p_.clipboard.WriteText(owner, text, extras);
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    switch (result.status) {
        case ClipboardStatus::Ok:
            offerHeld_ = true;
            promised_ = extras.front();
            pasted_.reset();
            return;
        case ClipboardStatus::Busy:
            throw Error(kCannotOpenClipboard);
        case ClipboardStatus::Failed:
            offerHeld_ = false;
            pasted_.reset();
            throw Error(kCannotFillClipboard);
    }
    throw Error(kCannotFillClipboard);
}

void SendEngine::Activate(WindowHandle target) {
    Desktop& desktop = p_.desktop;
    // With no target, or one that has gone, the keys would land wherever the focus is: in
    // our own window, as often as not.
    if (!target || !desktop.IsWindow(target)) throw Error(kNoTarget);
    RefuseElevated(target);
    desktop.SetForegroundWindow(target);
    MakeReady(target);
}

// Windows silently drops synthesized input and messages into a process that runs at a
// higher integrity level (a program run as administrator). Checked where keys go to a window
// that was not activated first, too: a hotkey's window in front.
void SendEngine::RefuseElevated(WindowHandle target) {
    if (target == cleared_) return;
    const std::uint32_t theirs = p_.desktop.IntegrityLevel(target);
    const std::uint32_t ours = p_.desktop.IntegrityLevel(0);
    if (theirs != kIntegrityUnknown && ours != kIntegrityUnknown && theirs > ours) throw Error(kTargetElevated);
    cleared_ = target;
}

// After SetForegroundWindow(target): waits, within one budget, until the target is really in
// front and its thread has handled the activation, so that no keystroke goes out while the
// system would still drop it or hand it to another window.
void SendEngine::MakeReady(WindowHandle target) {
    Desktop& desktop = p_.desktop;
    const std::uint64_t start = p_.clock.Now();
    auto left = [&] {
        const std::uint64_t spent = p_.clock.Now() - start;
        return spent >= kReadyBudgetMs ? 0 : kReadyBudgetMs - static_cast<int>(spent);
    };
    if (desktop.IsIconic(target)) desktop.ShowRestored(target);
    for (WindowHandle front; (front = desktop.GetForegroundWindow()) != target;) {
        if (!desktop.IsWindow(target)) throw Error(kNoTarget);
        if (left() == 0) throw Error(kTargetNotInFront);
        if (!front) {
            // No window in front: the switch was granted and the target's thread has yet to
            // take the activation (a busy machine makes this last). It is waited for, never
            // forced: forcing attaches our input to another thread's, and that throws away the
            // mouse input still queued for us, such as the release of the click being handled,
            // which the tree control is about to wait for.
            if (desktop.HasHandledActivation(target, left()) && desktop.GetForegroundWindow() == target) break;
        } else if (desktop.ForceForegroundWindow(target) && desktop.GetForegroundWindow() == target) {
            break;
        }
        p_.clock.Wait(kPollMs);
    }
    // In front; a target that does not answer in time gets the keys queued all the same.
    while (!desktop.HasHandledActivation(target, left())) {
        if (!desktop.IsWindow(target)) throw Error(kNoTarget);
        if (left() == 0) return;
        p_.clock.Wait(kPollMs);
    }
}

// Sends the batch in one go. When the system took only its beginning, or the port threw,
// the releases of whatever may have gone down are sent again on their own, so that no key
// stays down in the system whatever fails in between.
void SendEngine::SendBatch(const std::vector<KeyEvent>& batch) {
    KeyInput& keys = p_.keys;
    int sent = 0;
    try {
        sent = keys.SendKeys(batch);
    } catch (...) {
        try {
            std::vector<KeyEvent> due = ReleasesStillDue(batch, -1);
            if (!due.empty()) keys.SendKeys(due);
        } catch (...) {
            // The original failure is the one to report.
        }
        throw;
    }
    std::vector<KeyEvent> due = ReleasesStillDue(batch, sent);
    // A few attempts: the system may refuse input for a moment (a desktop switch).
    for (int attempt = 0; attempt < 3 && !due.empty(); ++attempt) {
        const int n = keys.SendKeys(due);
        due.erase(due.begin(), due.begin() + (n < 0 ? 0 : std::min<std::ptrdiff_t>(n, std::ssize(due))));
    }
}

void SendEngine::DiaryPaste(WindowHandle target) {
    // Each search takes the previous result as its parent with no test in between, so a
    // search after a failed one looks among the top-level windows.
    Desktop& desktop = p_.desktop;
    const std::string diaryName = kDiaryFormName;
    const WindowHandle w1 = desktop.FindWindowEx(target, "MDIClient", nullptr);
    const WindowHandle w2 = desktop.FindWindowEx(w1, "ThunderRT6FormDC", &diaryName);
    const WindowHandle w3 = desktop.FindWindowEx(w2, "ThunderRT6UserControlDC", nullptr);
    const WindowHandle w4 = desktop.FindWindowEx(w3, "TextEdit", nullptr);
    if (!w4) return;
    NotePaste(target);
    if (!desktop.SendPaste(w4)) {
        // A hung diary takes nothing: the next send need not wait for it.
        pasted_.reset();
        throw Error(kTargetNotAnswering);
    }
}

void SendEngine::NotePaste(WindowHandle target) {
    // A paste of what another program put on the clipboard tells us nothing.
    if (offerHeld_)
        pasted_ = Pasted{target, p_.clock.Now(), false};
    else
        pasted_.reset();
}

void SendEngine::Render(unsigned format) {
    if (!offerHeld_ || format != promised_.format) return;
    if (AwaitingTaken()) {
        // The render is asked for from the reader's thread, which has the clipboard open with
        // a window of its own: when that window's process is the target's, the target took
        // the text. Clipboard history, other clipboard tools and bridges read too, and count
        // for nothing.
        const std::uint32_t reader = p_.desktop.ProcessOf(p_.clipboard.OpenWindow());
        if (reader != 0 && reader == p_.desktop.ProcessOf(pasted_->target)) {
            pasted_->taken = true;
            lastTakenMs_ = static_cast<int>(p_.clock.Now() - pasted_->at);
            p_.desktop.Trace("Corvell2: taken " + std::to_string(*lastTakenMs_) + " ms");
        }
    }
    p_.clipboard.Render(format, promised_.bytes);
}

void SendEngine::RenderAll(WindowHandle owner) {
    if (!offerHeld_) return;
    p_.clipboard.RenderAll(owner, {promised_});
}

bool SendEngine::TargetTakingKeys() {
    if (!keysOut_) return false;
    const std::uint64_t now = p_.clock.Now();
    if (AwaitingTaken() && pasted_->target == keysOut_->target && now < pasted_->at + kTakenBudgetMs) return true;
    return now < keysOut_->at + kKeysSettleMs;
}

void SendEngine::ClipboardReleased() {
    if (writing_) return;
    offerHeld_ = false;
    pasted_.reset();
}

void SendEngine::NoteStopRequest() {
    if (!stopRequested_) stopRequested_ = p_.keys.IsKeyDown(kVkEscape) || p_.desktop.OurWindowClicked();
}

void SendEngine::Idle() { ReopenImeWhenDue(false); }

void SendEngine::ReopenImeWhenDue(bool wait) {
    if (!imeToReopen_) return;
    if (wait) WaitUntil(imeToReopen_->due, [] { return false; });
    if (p_.clock.Now() < imeToReopen_->due) return;
    const WindowHandle ime = imeToReopen_->ime;
    imeToReopen_.reset();
    p_.desktop.SetImeOpenStatus(ime, true);
}

}  // namespace cv2
