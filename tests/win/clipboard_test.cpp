// The Win32 clipboard port keeps the promises that the fake is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "tests/contracts/ClipboardContract.h"

namespace cv2 {
namespace {

DWORD WINAPI HoldClipboard(void* param) {
    auto* holdMs = static_cast<DWORD*>(param);
    while (!OpenClipboard(nullptr)) Sleep(1);  // the test may be looking at it this moment
    Sleep(*holdMs);
    CloseClipboard();
    return 0;
}

class Win32ClipboardHarness {
public:
    Win32ClipboardHarness() {
        owner_ = CreateWindowExW(0, L"STATIC", L"clipboard owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    ~Win32ClipboardHarness() {
        EndHold();
        DestroyWindow(owner_);
    }
    Win32ClipboardHarness(const Win32ClipboardHarness&) = delete;
    Win32ClipboardHarness& operator=(const Win32ClipboardHarness&) = delete;

    Clipboard& Port() { return *port_; }
    WindowHandle Owner() { return reinterpret_cast<WindowHandle>(owner_); }
    WindowHandle CurrentOwner() { return reinterpret_cast<WindowHandle>(GetClipboardOwner()); }
    std::optional<std::vector<unsigned char>> Read(unsigned format) {
        if (!OpenClipboard(nullptr)) return std::nullopt;
        std::optional<std::vector<unsigned char>> out;
        if (HANDLE h = GetClipboardData(format)) {
            auto* p = static_cast<const unsigned char*>(GlobalLock(h));
            if (p) out.emplace(p, p + GlobalSize(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return out;
    }
    unsigned Registered(const std::string& name) { return RegisterClipboardFormatW(FromCp932(name).c_str()); }
    void HoldFor(int ms) {
        holdMs_ = static_cast<DWORD>(ms);
        holder_ = CreateThread(nullptr, 0, HoldClipboard, &holdMs_, 0, nullptr);
        // Until the holder has it. Wine lets anyone who opens with no window into a
        // clipboard opened with no window, so the look goes through our window.
        for (int i = 0; i < 100 && OpenClipboard(owner_); ++i) {
            CloseClipboard();
            Sleep(2);
        }
    }
    void EndHold() {
        if (!holder_) return;
        WaitForSingleObject(holder_, 5000);
        CloseHandle(holder_);
        holder_ = nullptr;
    }
    std::uint64_t Now() { return GetTickCount64(); }

private:
    std::unique_ptr<Clipboard> port_ = MakeWin32Clipboard();
    HWND owner_ = nullptr;
    HANDLE holder_ = nullptr;
    DWORD holdMs_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ClipboardContract, Win32ClipboardHarness);

}  // namespace
}  // namespace cv2
