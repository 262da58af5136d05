// RegisterHotKey keeps the promises that the fake hotkey table is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/Win32Ports.h"
#include "tests/contracts/GlobalHotKeysContract.h"

namespace cv2 {
namespace {

class Win32HotKeysHarness {
public:
    Win32HotKeysHarness() = default;
    ~Win32HotKeysHarness() {
        for (HWND w : made_)
            if (IsWindow(w)) DestroyWindow(w);
    }
    Win32HotKeysHarness(const Win32HotKeysHarness&) = delete;
    Win32HotKeysHarness& operator=(const Win32HotKeysHarness&) = delete;

    GlobalHotKeys& Port() { return *port_; }
    WindowHandle MakeWindow() {
        HWND w = CreateWindowExW(0, L"STATIC", L"hotkeys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        made_.push_back(w);
        return reinterpret_cast<WindowHandle>(w);
    }
    void Destroy(WindowHandle w) { DestroyWindow(reinterpret_cast<HWND>(w)); }

private:
    std::unique_ptr<GlobalHotKeys> port_ = MakeWin32GlobalHotKeys();
    std::vector<HWND> made_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, GlobalHotKeysContract, Win32HotKeysHarness);

}  // namespace
}  // namespace cv2
