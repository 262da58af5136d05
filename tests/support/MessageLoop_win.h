#pragma once
// The Win32 tests' message loops: a pump with a time budget, and a driver for modal
// dialogs, which run a message loop of their own until they close.
//
// Usage:
//   Pump();                                         // what is queued, within 50 ms
//   ASSERT_TRUE(PumpUntil([&] { return done; }, 2000));
//   ModalRun run = DriveModal([&] { ok = ShowOptionFrm(owner, text); },
//                             {[](HWND dlg) { ... }, [](HWND dlg) { PostMessageW(dlg, WM_CLOSE, 0, 0); }});
//   ExpectFinished(run);
//
// DriveModal runs one step per tick of a thread timer, which the dialog's own loop
// dispatches, on the thread's dialog in front (the visible, enabled "#32770"). A step
// made with InNewDialog waits until another dialog than the one before is in front, such
// as a message box the previous step opened. Once the budget is spent the driver cancels
// whatever dialog is in front, so a test that leaves one open fails instead of hanging.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace cv2::testing {

// Handles the thread's messages for `budgetMs`, waking as they come rather than sleeping.
// With `dialog`, its keys go through IsDialogMessage as in a dialog's own loop.
inline void Pump(DWORD budgetMs = 50, HWND dialog = nullptr) {
    const ULONGLONG until = GetTickCount64() + budgetMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= until) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    }
}

// Handles messages until `done` holds or `budgetMs` is spent; whether it held.
template <class Pred>
bool PumpUntil(Pred done, DWORD budgetMs) {
    const ULONGLONG until = GetTickCount64() + budgetMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(until - now, 10)),
                                  QS_ALLINPUT);
    }
}

using DialogAction = std::function<void(HWND dialog)>;

struct ModalStep {
    template <class F>
    requires(!std::is_same_v<std::decay_t<F>, ModalStep>) ModalStep(F f)
        : act(std::move(f)) {}  // a plain lambda is a step
    DialogAction act;
    bool inNewDialog = false;
};

// A step for the dialog that the previous step opened in front of its own.
inline ModalStep InNewDialog(DialogAction act) {
    ModalStep step(std::move(act));
    step.inNewDialog = true;
    return step;
}

struct ModalRun {
    std::size_t stepsRun = 0;
    std::size_t steps = 0;
    bool timedOut = false;  // a dialog was still open when the budget was spent
    HWND first = nullptr;   // the dialog the first step acted on
};

namespace detail {

struct ModalState {
    std::vector<ModalStep> steps;
    ModalRun run;
    HWND lastActedOn = nullptr;
    ULONGLONG deadline = 0;
};

inline ModalState*& CurrentModal() {
    static ModalState* state = nullptr;
    return state;
}

inline BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

// The thread's visible dialogs, the one in front (enabled) first.
inline std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    std::stable_partition(found.begin(), found.end(), [](HWND h) { return IsWindowEnabled(h) != FALSE; });
    return found;
}

inline void CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD) {
    ModalState* s = CurrentModal();
    if (!s) return;
    const std::vector<HWND> dialogs = ThreadDialogs();
    if (dialogs.empty()) return;
    HWND front = dialogs.front();
    if (GetTickCount64() > s->deadline) {
        // Whatever is in front (a nested message box first), until all are gone.
        s->run.timedOut = true;
        PostMessageW(front, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(front, WM_CLOSE, 0, 0);
        return;
    }
    if (s->run.stepsRun >= s->steps.size()) return;
    ModalStep& step = s->steps[s->run.stepsRun];
    if (step.inNewDialog && front == s->lastActedOn) return;
    // Counted first: a step that opens a nested modal loop lets the next tick in.
    ++s->run.stepsRun;
    if (!s->run.first) s->run.first = front;
    s->lastActedOn = front;
    DialogAction act = step.act;
    act(front);
}

}  // namespace detail

// Runs `show`, which opens a modal dialog and returns when it is closed, with `steps` run
// inside the dialog's loop; a dialog still open after `budgetMs` is cancelled.
template <class Show>
ModalRun DriveModal(Show show, std::vector<ModalStep> steps, DWORD budgetMs = 15000) {
    detail::ModalState state;
    state.steps = std::move(steps);
    state.run.steps = state.steps.size();
    state.deadline = GetTickCount64() + budgetMs;
    detail::ModalState* outer = std::exchange(detail::CurrentModal(), &state);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, detail::ModalTick);
    show();
    KillTimer(nullptr, timer);
    detail::CurrentModal() = outer;
    return state.run;
}

// Every step ran and nothing was left open.
inline void ExpectFinished(const ModalRun& run) {
    EXPECT_FALSE(run.timedOut) << "a dialog was left open; the script stopped after step " << run.stepsRun;
    EXPECT_EQ(run.stepsRun, run.steps) << "steps that never ran";
}

}  // namespace cv2::testing
