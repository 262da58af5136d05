// The end of the session and the recovery timer, as the system delivers them to the main
// window.
#include "CV2MainFrm/MainWindowParts_win.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2::testing {
namespace {

const std::wstring kRecovery = L"C:\\Apps\\Corvell2.exe.recovery";

class EndSession : public MainWindowFixture {};

TEST_F(EndSession, TheRecoveryTimerWritesTheTreeAndACriticalEndAsksNothing) {
    frm().SetDocumentForTest(L"", true);
    SendMessageW(window.Hwnd(), WM_TIMER, mainwindow::kRecoveryTimerId, 0);
    EXPECT_TRUE(files.files.count(kRecovery));
    files.files.erase(kRecovery);

    // Without a step, a question would stay open until the budget is spent.
    LRESULT allowed = FALSE;
    const ModalRun run = DriveModal(
        [&] { allowed = SendMessageW(window.Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_CRITICAL); }, {}, 3000);
    EXPECT_FALSE(run.timedOut) << "a question was asked";
    EXPECT_EQ(allowed, TRUE);
    EXPECT_TRUE(files.files.count(kRecovery));
    const HWND hwnd = window.Hwnd();
    SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_CRITICAL);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(files.files.count(kRecovery)) << "kept for the next start";
    EXPECT_NE(files.files.at(L"C:\\Apps\\Corvell2.ini").find("WaitTime="), std::string::npos);
}

}  // namespace
}  // namespace cv2::testing
