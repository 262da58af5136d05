#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "platform/fakes/FakeMutex.h"
#include "platform/fakes/FakeDesktop.h"

namespace cv2 {
namespace {

using fakes::CallLog;
using fakes::FakeDesktop;
using fakes::FakeMutexApi;
using fakes::FakeMutexSystem;

constexpr WindowHandle kFirstMain = 7;
constexpr WindowHandle kOtherApp = 9;

struct Machine {
    CallLog log;
    FakeMutexSystem system;
    FakeDesktop desktop{log};

    Machine() {
        desktop.windows[kOtherApp] = {0, "Chrome_WidgetWin_1", "browser"};
        desktop.foreground = kOtherApp;
    }
    void FirstInstanceShowing(bool iconic = false, WindowHandle owner = 0) {
        desktop.windows[kFirstMain] = {0, kMainWindowClass, "Corvell2！", iconic, owner};
    }
};

TEST(SingleInstance, FirstStartHoldsTheMutexWhileTheWindowRunsAndReturnsItsExitCode) {
    Machine d;
    FakeMutexApi mutexes(d.system, d.log);
    bool heldDuringRun = false;
    int rc = RunSingleInstance(mutexes, d.desktop, [&] {
        heldDuringRun = d.system.Exists(kInstanceMutexName);
        d.log.Add("run");
        return 0;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(heldDuringRun);
    EXPECT_FALSE(d.system.Exists(kInstanceMutexName));
    EXPECT_EQ(d.log.calls, (std::vector<std::string>{"OpenMutex(Tolvane2_Vellam_Application)",
                                                     "CreateMutex(Tolvane2_Vellam_Application)", "run",
                                                     "ReleaseMutex(100)", "CloseHandle(100)"}));

    // A failing main window is not turned into success.
    EXPECT_EQ(RunSingleInstance(mutexes, d.desktop, [] { return 3; }), 3);
}

TEST(SingleInstance, SecondStartActivatesTheFirstAndNeverRuns) {
    Machine d;
    FakeMutexApi first(d.system, d.log);
    FakeMutexApi second(d.system, d.log);
    int secondRc = -1;
    bool secondRan = false;
    RunSingleInstance(first, d.desktop, [&] {
        d.FirstInstanceShowing();
        d.log.Clear();
        secondRc = RunSingleInstance(second, d.desktop, [&] {
            secondRan = true;
            return 5;
        });
        // The second start left the first's mutex alone.
        EXPECT_TRUE(d.system.Exists(kInstanceMutexName));
        EXPECT_EQ(d.system.open.size(), 1u);
        return 0;
    });
    EXPECT_FALSE(secondRan);
    EXPECT_EQ(secondRc, 0);
    EXPECT_EQ(second.released, 0);
    EXPECT_EQ(d.desktop.foreground, kFirstMain);
    // Visible: brought forward, nothing restored.
    EXPECT_EQ(d.log.calls, (std::vector<std::string>{"OpenMutex(Tolvane2_Vellam_Application)", "FindWindow(TCV2Frm)",
                                                     "SetForegroundWindow(7)", "CloseHandle(101)", "ReleaseMutex(100)",
                                                     "CloseHandle(100)"}));
}

TEST(SingleInstance, SecondStartRestoresAMinimisedFirstInstance) {
    // Our own main window is the minimised one.
    {
        Machine d;
        FakeMutexApi first(d.system, d.log), second(d.system, d.log);
        RunSingleInstance(first, d.desktop, [&] {
            d.FirstInstanceShowing(/*iconic=*/true);
            EXPECT_EQ(RunSingleInstance(second, d.desktop, [] { return 1; }), 0);
            return 0;
        });
        EXPECT_FALSE(d.desktop.windows[kFirstMain].iconic);
        EXPECT_EQ(d.desktop.foreground, kFirstMain);
    }
    // A minimised owner window (a hidden application window) is restored instead; the
    // main window itself is not touched.
    {
        Machine d;
        constexpr WindowHandle kOwner = 3;
        d.desktop.windows[kOwner] = {0, "TApplication", "Corvell2！", true, 0};
        FakeMutexApi first(d.system, d.log), second(d.system, d.log);
        RunSingleInstance(first, d.desktop, [&] {
            d.FirstInstanceShowing(false, kOwner);
            d.log.Clear();
            RunSingleInstance(second, d.desktop, [] { return 1; });
            return 0;
        });
        EXPECT_FALSE(d.desktop.windows[kOwner].iconic);
        EXPECT_EQ(d.log.calls, (std::vector<std::string>{"OpenMutex(Tolvane2_Vellam_Application)",
                                                         "FindWindow(TCV2Frm)", "SetForegroundWindow(7)", "Restore(3)",
                                                         "CloseHandle(101)", "ReleaseMutex(100)", "CloseHandle(100)"}));
    }
}

TEST(SingleInstance, SecondStartWithoutAWindowYetJustEnds) {
    // The first instance holds the mutex but has not created its window (or is ending).
    Machine d;
    FakeMutexApi first(d.system, d.log), second(d.system, d.log);
    RunSingleInstance(first, d.desktop, [&] {
        d.log.Clear();
        EXPECT_EQ(RunSingleInstance(second, d.desktop, [] { return 1; }), 0);
        return 0;
    });
    EXPECT_EQ(d.desktop.foreground, kOtherApp);
    EXPECT_EQ(d.log.calls[1], "FindWindow(TCV2Frm)");
    EXPECT_EQ(d.log.calls[2], "CloseHandle(101)");
}

TEST(SingleInstance, MutexIsReleasedWhenTheMainWindowThrows) {
    Machine d;
    FakeMutexApi mutexes(d.system, d.log);
    EXPECT_THROW(RunSingleInstance(mutexes, d.desktop, []() -> int { throw std::runtime_error("boom"); }),
                 std::runtime_error);
    EXPECT_FALSE(d.system.Exists(kInstanceMutexName));
    EXPECT_EQ(mutexes.released, 1);

    // When the mutex could not be created there is nothing to release, but the program
    // still runs.
    FakeMutexApi failing(d.system, d.log);
    failing.createFails = true;
    bool ran = false;
    RunSingleInstance(failing, d.desktop, [&] {
        ran = true;
        return 0;
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(failing.released, 0);
}

}  // namespace
}  // namespace cv2
