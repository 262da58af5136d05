// The Win32 key input port keeps the promises that the fake is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Win32Ports.h"
#include "tests/contracts/KeyInputContract.h"

namespace cv2 {
namespace {

// An edit of ours in front takes the events, so that none reaches another program. One
// window serves every test: Wine waits up to two seconds for the X server to take a shown
// window down again.
HWND KeyTarget() {
    static HWND edit = [] {
        HWND top = CreateWindowExW(0, L"STATIC", L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }();
    return edit;
}

class Win32KeyInputHarness {
public:
    Win32KeyInputHarness() {
        SetForegroundWindow(GetParent(KeyTarget()));
        SetFocus(KeyTarget());
    }
    ~Win32KeyInputHarness() {
        // Whatever an assertion left down goes up again.
        for (std::uint16_t vk : {kVkLShift, kVkRControl, kVkLMenu}) port_->SendKeys({{vk, true}});
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    Win32KeyInputHarness(const Win32KeyInputHarness&) = delete;
    Win32KeyInputHarness& operator=(const Win32KeyInputHarness&) = delete;

    KeyInput& Port() { return *port_; }

private:
    std::unique_ptr<KeyInput> port_ = MakeWin32KeyInput();
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, KeyInputContract, Win32KeyInputHarness);

}  // namespace
}  // namespace cv2
