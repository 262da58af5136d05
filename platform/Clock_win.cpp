// The clock on the GUI thread: GetTickCount64, and waits through MsgWaitForMultipleObjectsEx
// that wake for messages sent from other threads (a clipboard reader's render request).
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Clock : public Clock {
public:
    std::uint64_t Now() override { return ::GetTickCount64(); }

    void Wait(int milliseconds) override {
        if (milliseconds <= 0) return;
        // A message sent before this wait began would not wake it: answer it and return.
        if (HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) return AnswerSentMessages();
        const DWORD result = ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(milliseconds), QS_SENDMESSAGE,
                                                           MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) AnswerSentMessages();
    }

private:
    // Peeking with PM_QS_SENDMESSAGE answers the messages sent to this thread and leaves
    // posted messages and input where they are; PM_NOREMOVE keeps it from taking any.
    static void AnswerSentMessages() {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
};

}  // namespace

std::unique_ptr<Clock> MakeWin32Clock() { return std::make_unique<Win32Clock>(); }

}  // namespace cv2
