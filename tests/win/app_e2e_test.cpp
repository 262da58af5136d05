// Corvell2.exe itself, started as a process: its window, its exit code and the
// single-instance guard between two real processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ProgramFolder_win.h"

namespace cv2 {
namespace {

constexpr wchar_t kMutexName[] = L"Tolvane2_Vellam_Application";
constexpr DWORD kBudgetMs = testing::kProcessBudgetMs;
using testing::WaitFor;
using testing::WriteBytes;

struct FoundWindows {
    DWORD pid = 0;  // 0: any process
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindows(HWND hwnd, LPARAM param) {
    auto& f = *reinterpret_cast<FoundWindows*>(param);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (std::wstring(cls) != L"TCV2Frm") return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (f.pid && pid != f.pid) return TRUE;
    f.found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> MainWindows(DWORD pid = 0) {
    FoundWindows f{pid, {}};
    EnumWindows(CollectMainWindows, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::wstring Title(HWND hwnd) {
    std::wstring t(64, L'\0');
    t.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, t.data(), 64)));
    return t;
}

// A copy of the program beside a user file and its settings file, so that the program
// opens that file instead of running the first-run wizard.
class SampleFolder : public testing::ProgramFolder {
public:
    SampleFolder() : ProgramFolder(L"e2e") {
        ready_ = ProgramFolder::Ready() && WriteBytes(Path(L"sample.cv2"), "住所\r\n\t東京都\r\n名前\r\n") &&
                 WriteBytes(Path(L"sample.ini"), "");
    }
    bool Ready() const { return ready_; }

private:
    bool ready_ = false;
};

// One started Corvell2.exe; ended by force if a test leaves it running.
class Instance {
public:
    Instance(const SampleFolder& folder, const std::wstring& args = L"") {
        std::wstring cmd = L"\"" + folder.Exe() + L"\"" + (args.empty() ? L"" : L" " + args);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(folder.Exe().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.Dir().c_str(), &si, &pi_) != FALSE;
    }
    ~Instance() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool Started() const { return started_; }
    DWORD Pid() const { return pi_.dwProcessId; }

    // Its visible main window, once it has one.
    HWND WaitForWindow() {
        HWND window = nullptr;
        WaitFor([&] {
            for (HWND w : MainWindows(Pid()))
                if (IsWindowVisible(w)) window = w;
            return window != nullptr || Exited();
        });
        return window;
    }
    bool Exited() { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }
    // The exit code, or -1 when it did not end within the budget.
    long WaitForExit(DWORD budgetMs = kBudgetMs) {
        if (WaitForSingleObject(pi_.hProcess, budgetMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

bool MutexExists() {
    HANDLE h = OpenMutexW(SYNCHRONIZE, FALSE, kMutexName);
    if (h) CloseHandle(h);
    return h != nullptr;
}

class ProgramE2E : public ::testing::Test {
protected:
    void SetUp() override {
        if (!folder_.Ready()) GTEST_SKIP() << "Corvell2.exe not found beside the test program";
        ASSERT_FALSE(MutexExists()) << "another Corvell2 is running in this Wine prefix";
        ASSERT_TRUE(MainWindows().empty());
    }
    SampleFolder folder_;
};

TEST_F(ProgramE2E, StartsWithItsWindowAndEndsWithZeroOnClose) {
    Instance first(folder_);
    ASSERT_TRUE(first.Started());
    HWND window = first.WaitForWindow();
    ASSERT_TRUE(window) << "no visible TCV2Frm window appeared";
    EXPECT_EQ(Title(window), L"Corvell2！");
    EXPECT_TRUE(MutexExists()) << "the running instance holds no guard";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
    // The guard goes with the process, so the next start is a first start again.
    EXPECT_FALSE(MutexExists());
}

TEST_F(ProgramE2E, SecondStartExitsAtOnceAndLeavesOneWindow) {
    Instance first(folder_);
    HWND window = first.WaitForWindow();
    ASSERT_TRUE(window);

    Instance second(folder_, L"sample.cv2");  // its command line changes nothing
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0);
    std::vector<HWND> windows = MainWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0], window);
    EXPECT_FALSE(first.Exited());
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 3000))
        << "the running instance was not brought to the foreground";

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(ProgramE2E, SecondStartRestoresAMinimisedFirstInstance) {
    Instance first(folder_);
    HWND window = first.WaitForWindow();
    ASSERT_TRUE(window);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; }, 5000));

    Instance second(folder_);
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(window) == FALSE; }, 5000)) << "still minimised";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(MainWindows().size(), 1u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
}

}  // namespace
}  // namespace cv2
