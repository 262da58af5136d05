#pragma once
// The one engine that carries out every send: it runs a plan's steps in order through the
// ports and stops at the first step that fails, with no key left down. It also answers the
// clipboard for the text it offered and tells, through the reader's process, whether the
// target has taken the text it pasted: no later offer replaces a text that is not yet taken.
//
// Usage (the main window owns one engine):
//   SendEngine engine({desktop, keys, clipboard, clock});
//   engine.Run(PlanSend(settings, item));   // throws Error with the text for the user
//   // WM_RENDERFORMAT: engine.Render(format); WM_RENDERALLFORMATS: engine.RenderAll();
//   // WM_DESTROYCLIPBOARD: engine.ClipboardReleased(); each timer tick: engine.Idle();
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/KeyInput.h"
#include "send/Plan.h"

namespace cv2 {

// How long a pasted text may take to be read by its target before the next offer replaces
// it anyway, counted from the paste: a field that never reads costs at most this, once.
inline constexpr int kTakenBudgetMs = 1000;
// How long a target may take to come to the front and handle its activation, in all.
inline constexpr int kReadyBudgetMs = 500;
// How long a target is given to handle typed keys before its input method is opened again.
inline constexpr int kImeSettleMs = 500;
// How long a target is given to take keys that paste nothing (typed text, Tab) from its queue.
inline constexpr int kKeysSettleMs = 300;

struct SendPorts {
    Desktop& desktop;
    KeyInput& keys;
    Clipboard& clipboard;
    Clock& clock;
};

enum class RunOutcome {
    Done,
    Stopped,  // a checkpoint found the target gone from the front, or Esc down
};

class SendEngine {
public:
    explicit SendEngine(SendPorts ports) : p_(ports) {}

    // Carries the plan out. Throws Error at the first failing step, after letting go of any
    // key that step pressed. A plan asked for while another runs (from a message answered
    // during a wait) runs after it, never inside it.
    RunOutcome Run(const Plan& plan);
    // Each Progress step's text, as it is reached.
    std::function<void(const std::string&)> onProgress;

    // The system asks for a format we promised (WM_RENDERFORMAT).
    void Render(unsigned format);
    // We are going away while the clipboard still holds our promise (WM_RENDERALLFORMATS).
    void RenderAll(WindowHandle owner);
    // Another program has emptied the clipboard (WM_DESTROYCLIPBOARD).
    void ClipboardReleased();
    // Work that waits for time to pass (an input method to open again); call it now and then.
    void Idle();

    // Whether the text pasted last is still waiting to be read by its target.
    bool AwaitingTaken() const { return pasted_ && !pasted_->taken; }
    // From the last paste to its target's read, once it was read.
    std::optional<int> LastTakenMs() const { return lastTakenMs_; }
    // Whether a plan is being carried out (a plan asked for now waits its turn).
    bool Running() const { return running_; }
    // Whether the target may still be taking the keys sent last: until the text they pasted
    // was taken (within its budget), or a moment after keys that paste nothing. Meanwhile
    // the target must keep the keyboard: a click on our window must not take it away.
    bool TargetTakingKeys();

private:
    struct Pasted {
        WindowHandle target = 0;
        std::uint64_t at = 0;
        bool taken = false;
    };

    RunOutcome RunSteps(const Plan& plan);
    bool RunStep(const Plan& plan, const Step& step);
    void Offer(WindowHandle owner, const std::string& text);
    void Activate(WindowHandle target);
    void RefuseElevated(WindowHandle target);
    void MakeReady(WindowHandle target);
    void SendBatch(const std::vector<KeyEvent>& batch);
    void DiaryPaste(WindowHandle target);
    void NotePaste(WindowHandle target);
    void ReopenImeWhenDue(bool wait);
    // Esc or a click on our window while a group runs: the next checkpoint stops it. Looked
    // at in every wait too, so that a short press is not missed.
    void NoteStopRequest();
    template <class Done>
    bool WaitUntil(std::uint64_t deadline, Done done);

    SendPorts p_;
    bool running_ = false;
    WindowHandle cleared_ = 0;  // the plan's window found not to run above us
    bool watching_ = false;     // the plan running has checkpoints
    bool stopRequested_ = false;
    std::deque<Plan> queued_;
    bool writing_ = false;
    bool offerHeld_ = false;   // the clipboard holds our last offer
    ClipboardExtra promised_;  // the offer's Unicode form, rendered when asked for
    std::optional<Pasted> pasted_;
    struct KeysOut {
        WindowHandle target = 0;
        std::uint64_t at = 0;
    };
    std::optional<KeysOut> keysOut_;
    std::optional<int> lastTakenMs_;
    WindowHandle closedIme_ = 0;
    struct ImeToReopen {
        WindowHandle ime = 0;
        std::uint64_t due = 0;
    };
    std::optional<ImeToReopen> imeToReopen_;
};

}  // namespace cv2
