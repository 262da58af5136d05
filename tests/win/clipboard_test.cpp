// The Win32 clipboard port keeps the promises that the fake is held to.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "tests/contracts/ClipboardContract.h"
#include "tests/support/RecordedClipboardCalls_win.h"

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

// ---- the system calls behind the port, and every failure among them ----

class ClipboardCallsTest : public ::testing::Test {
protected:
    ClipboardResult Write(const std::vector<ClipboardExtra>& extras = {}) { return port->WriteText(0, "abc", extras); }
    // After any write, failed or not: the clipboard closed once, nothing locked, every
    // block either the clipboard's or freed, never both.
    void ExpectTidy() {
        EXPECT_EQ(std::count(rec.calls.begin(), rec.calls.end(), "CloseClipboard"), 1);
        EXPECT_EQ(rec.locks, 0);
        for (HGLOBAL block : rec.allocated)
            EXPECT_NE(rec.owned.count(block), rec.freed.count(block)) << "block leaked or freed twice";
    }

    // A new record: the system frees the blocks it held at the next write, and may hand out
    // their handles again.
    void Restart() {
        rec.calls.clear();
        rec.allocated.clear();
        rec.owned.clear();
        rec.freed.clear();
    }

    testing::ClipboardRecording rec;
    std::unique_ptr<Clipboard> port = MakeWin32Clipboard(testing::ClipboardRecording::Calls());
};

TEST_F(ClipboardCallsTest, CallsComeInTheOrderOtherProgramsKnowAndAPromiseTakesNoBlock) {
    ASSERT_EQ(Write({{CF_UNICODETEXT, {}, {'a', 0, 0, 0}, true}, {0, "Cv2CallsFlag", {0, 0, 0, 0}}}).status,
              ClipboardStatus::Ok);
    // The formats are registered before the clipboard is opened; each block is filled before
    // EmptyClipboard and unlocked after the clipboard took it.
    EXPECT_EQ(rec.calls,
              (std::vector<std::string>{"RegisterClipboardFormat", "OpenClipboard", "GlobalAlloc(0x2002, 4)",
                                        "GlobalLock", "EmptyClipboard", "SetClipboardData(1)", "GlobalUnlock",
                                        "SetClipboardData(13)", "GlobalAlloc(0x2002, 4)", "GlobalLock",
                                        "SetClipboardData(registered)", "GlobalUnlock", "CloseClipboard"}));
    ExpectTidy();
}

TEST_F(ClipboardCallsTest, EveryFailureBeforeTheTextIsSetIsReportedWithItsOwnError) {
    for (const char* step : {"alloc", "lock", "empty", "set"}) {
        SCOPED_TRACE(step);
        Restart();
        rec.failing = step;
        ClipboardResult r = Write();
        EXPECT_EQ(r.status, ClipboardStatus::Failed);
        // Read at once: the clean-up calls after the failure must not change it.
        EXPECT_EQ(r.error, testing::ClipboardRecording::kError);
        ExpectTidy();
    }
}

TEST_F(ClipboardCallsTest, AFailedSetUnlocksAndFreesTheBlockBeforeClosing) {
    rec.failing = "set";
    ASSERT_EQ(Write().status, ClipboardStatus::Failed);
    auto set = std::find(rec.calls.begin(), rec.calls.end(), "SetClipboardData(1)");
    ASSERT_NE(set, rec.calls.end());
    EXPECT_EQ(std::vector<std::string>(set + 1, rec.calls.end()),
              (std::vector<std::string>{"GlobalUnlock", "GlobalFree", "CloseClipboard"}));
}

TEST_F(ClipboardCallsTest, ExtrasThatFailAreLeftOutAndTheirBlocksFreed) {
    const std::vector<ClipboardExtra> extras = {
        {CF_UNICODETEXT, {}, {'a', 0, 0, 0}}, {CF_LOCALE, {}, {0x11, 0x04, 0, 0}}, {0, "Cv2CallsFlag", {0, 0, 0, 0}}};
    struct Case {
        const char* name;
        std::set<UINT> failingFormats;
        int allocsLeft;
    };
    const Case cases[] = {
        {"set of the unicode text", {CF_UNICODETEXT}, -1},
        {"set of the locale", {CF_LOCALE}, -1},
        {"alloc of the last", {}, 3},
        {"alloc of every extra", {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        rec.failing = c.failingFormats.empty() ? "" : "set";
        rec.failingFormats = c.failingFormats;
        rec.allocsLeft = c.allocsLeft;
        EXPECT_EQ(Write(extras).status, ClipboardStatus::Ok);
        ExpectTidy();
    }
}

}  // namespace
}  // namespace cv2
