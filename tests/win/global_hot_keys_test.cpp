// RegisterHotKey keeps the promises that the fake hotkey table is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"
#include "tests/contracts/GlobalHotKeysContract.h"

namespace cv2 {
namespace {

struct Win32HotKeysHarness {
    std::unique_ptr<GlobalHotKeys> port = MakeWin32GlobalHotKeys();
    std::vector<UniqueWindow> windows;  // of the test's thread, gone with the test

    GlobalHotKeys& Port() { return *port; }
    WindowHandle MakeWindow() {
        windows.emplace_back(
            CreateWindowExW(0, L"STATIC", L"hotkeys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        return reinterpret_cast<WindowHandle>(windows.back().get());
    }
    void Destroy(WindowHandle w) {
        for (UniqueWindow& made : windows)
            if (reinterpret_cast<WindowHandle>(made.get()) == w) made.reset();
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, GlobalHotKeysContract, Win32HotKeysHarness);

}  // namespace
}  // namespace cv2
