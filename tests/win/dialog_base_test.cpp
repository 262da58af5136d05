// The dialog base of wingui/: its one error edge, a dialog whose set-up fails, and where
// it places a dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Error.h"
#include "tests/support/MessageLoop_win.h"
#include "wingui/Dialog_win.h"
#include "wingui/Dpi.h"

namespace cv2 {
namespace {

using testing::DriveModal;
using testing::ExpectFinished;
using testing::InNewDialog;

constexpr UINT kThrowError = WM_APP;
constexpr UINT kThrowOther = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class TestDialog : public DialogBase {
public:
    bool failInit = false;
    Placement placement = Placement::OverOwner;
    int answered = 0;

protected:
    bool OnInit() override {
        SetClientSize(200, 100, placement);
        AddControl(L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {10, 60, 75, 25});
        if (failInit) throw Error("作れません");
        return true;
    }
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM) override {
        switch (msg) {
            case kThrowError:
                throw Error("壊れた");
            case kThrowOther:
                throw 42;
            case kAnswer:
                ++answered;
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(Hwnd(), LOWORD(wParam));
                return TRUE;
            default:
                return FALSE;
        }
    }
};

std::wstring TextOf(HWND hwnd) {
    wchar_t buf[256] = {};
    GetWindowTextW(hwnd, buf, 256);
    return buf;
}

struct Report {
    std::wstring caption, text;
    bool errorIcon = false;
};

// Reads the report's box and closes it.
testing::ModalStep ReadReport(Report& report) {
    return InNewDialog([&report](HWND box) {
        report.caption = TextOf(box);
        report.text = TextOf(GetDlgItem(box, 0xFFFF));  // the message's static control
        // Wine's message box shows its icon in control 1088.
        HICON shown = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 1088, STM_GETICON, 0, 0));
        report.errorIcon = shown && shown == LoadIconW(nullptr, MAKEINTRESOURCEW(32513));  // IDI_ERROR
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
}

TEST(DialogBaseWin, AnErrorInAHandlerIsReportedOverTheDialogWhichCarriesOn) {
    TestDialog dialog;
    Report first, second;
    LRESULT answer = -1;
    INT_PTR result = 0;
    ExpectFinished(DriveModal([&] { result = dialog.RunModal(nullptr, L"テスト"); },
                              {[&](HWND dlg) { answer = SendMessageW(dlg, kThrowError, 0, 0); }, ReadReport(first),
                               [&](HWND dlg) { SendMessageW(dlg, kThrowOther, 0, 0); }, ReadReport(second),
                               [&](HWND dlg) {
                                   SendMessageW(dlg, kAnswer, 0, 0);
                                   PostMessageW(dlg, WM_COMMAND, IDOK, 0);
                               }}));
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(first.caption, L"Corvell2！");
    EXPECT_EQ(first.text, L"壊れた.");
    EXPECT_TRUE(first.errorIcon);
    EXPECT_EQ(second.text, L"予期しないエラーが発生しました.");
    EXPECT_EQ(dialog.answered, 1);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.Hwnd(), nullptr);  // forgotten with the window
}

TEST(DialogBaseWin, ADialogWhoseSetUpFailsIsReportedAndCancelled) {
    TestDialog dialog;
    dialog.failInit = true;
    Report report;
    INT_PTR result = 0;
    ExpectFinished(DriveModal([&] { result = dialog.RunModal(nullptr, L"テスト"); }, {ReadReport(report)}));
    EXPECT_EQ(report.text, L"作れません.");
    EXPECT_EQ(result, IDCANCEL);
}

RECT WorkArea(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

TEST(DialogBaseWin, WithoutAVisibleOwnerTheDialogIsCentredOnTheWorkArea) {
    HWND minimised = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                                     nullptr, nullptr);
    ShowWindow(minimised, SW_SHOWMINNOACTIVE);
    struct Case {
        HWND owner;
        Placement placement;
    };
    for (const Case& c : {Case{nullptr, Placement::OnOwnersScreen}, Case{nullptr, Placement::OverOwner},
                          Case{minimised, Placement::OverOwner}}) {
        TestDialog dialog;
        dialog.placement = c.placement;
        RECT r{};
        ExpectFinished(DriveModal([&] { dialog.RunModal(c.owner, L"テスト"); }, {[&](HWND dlg) {
                                      GetWindowRect(dlg, &r);
                                      PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                                  }}));
        const RECT work = WorkArea(c.owner);
        EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
    }
    DestroyWindow(minimised);
}

}  // namespace
}  // namespace cv2
