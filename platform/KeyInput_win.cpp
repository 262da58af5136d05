// Synthesized keyboard input through SendInput.
#include <windows.h>

#include <vector>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

// Right Ctrl and Alt and the Windows keys sit on the extended part of the keyboard; without
// the flag the system would take a right-hand release for the left-hand key.
bool IsExtendedKey(std::uint16_t vk) { return vk == VK_RCONTROL || vk == VK_RMENU || vk == VK_LWIN || vk == VK_RWIN; }

class Win32KeyInput : public KeyInput {
public:
    int SendKeys(const std::vector<KeyEvent>& events) override {
        if (events.empty()) return 0;
        std::vector<INPUT> inputs(events.size());
        for (std::size_t i = 0; i < events.size(); ++i) {
            INPUT& in = inputs[i];
            in.type = INPUT_KEYBOARD;
            const KeyEvent& e = events[i];
            if (e.unicode) {
                in.ki.wVk = 0;
                in.ki.wScan = e.key;
                in.ki.dwFlags = KEYEVENTF_UNICODE;
            } else {
                in.ki.wVk = e.key;
                in.ki.wScan = 0;
                in.ki.dwFlags = IsExtendedKey(e.key) ? KEYEVENTF_EXTENDEDKEY : 0;
            }
            if (e.release) in.ki.dwFlags |= KEYEVENTF_KEYUP;
            in.ki.time = 0;
            in.ki.dwExtraInfo = 0;
        }
        // SendInput tells how many events went into the input stream: 0 when blocked.
        return static_cast<int>(::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
    }

    bool IsKeyDown(std::uint16_t virtualKey) override { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
};

}  // namespace

std::unique_ptr<KeyInput> MakeWin32KeyInput() { return std::make_unique<Win32KeyInput>(); }

}  // namespace cv2
