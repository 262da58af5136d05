// The Win32 desktop port keeps the promises that the fake is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "tests/contracts/DesktopContract.h"

namespace cv2 {
namespace {

class Win32DesktopHarness {
public:
    Win32DesktopHarness() = default;
    ~Win32DesktopHarness() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
    }
    Win32DesktopHarness(const Win32DesktopHarness&) = delete;
    Win32DesktopHarness& operator=(const Win32DesktopHarness&) = delete;

    Desktop& Port() { return *port_; }
    WindowHandle Make(WindowHandle parent, const std::string& className, const std::string& title,
                      WindowHandle owner = 0) {
        std::wstring cls = FromCp932(className);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = cls.c_str();
        RegisterClassW(&wc);  // fails harmlessly when it exists already
        DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
        HWND above = reinterpret_cast<HWND>(parent ? parent : owner);
        HWND w = CreateWindowExW(0, cls.c_str(), FromCp932(title).c_str(), style, 0, 0, 200, 100, above, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        made_.push_back(w);
        return reinterpret_cast<WindowHandle>(w);
    }
    // Only when a test needs it: Wine waits up to two seconds for the X server to take
    // each shown window down again.
    void Show(WindowHandle w) { ShowWindow(reinterpret_cast<HWND>(w), SW_SHOW); }
    void Destroy(WindowHandle w) { DestroyWindow(reinterpret_cast<HWND>(w)); }
    // The desktop belongs to the system (to Wine's explorer under Wine).
    WindowHandle Foreign() { return reinterpret_cast<WindowHandle>(GetDesktopWindow()); }
    void Minimise(WindowHandle w) { ShowWindow(reinterpret_cast<HWND>(w), SW_MINIMIZE); }
    void Settle() {
        const ULONGLONG end = GetTickCount64() + 100;
        while (GetTickCount64() < end) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
    }

private:
    std::unique_ptr<Desktop> port_ = MakeWin32Desktop();
    std::vector<HWND> made_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DesktopContract, Win32DesktopHarness);

}  // namespace
}  // namespace cv2
