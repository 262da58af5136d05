#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "About/About.h"
#include "About/AboutBox_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "base/Cp932.h"
#include "platform/fakes/FakeShell.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

using testing::DriveModal;
using testing::ModalRun;

// Shows the box and runs `action` on it once it is visible; returns when the box closed.
ModalRun RunBox(fakes::FakeShell& shell, testing::DialogAction action) {
    return DriveModal([&] { ShowAboutBox(nullptr, shell); }, {std::move(action)}, 10000);
}

void Click(HWND box, int x, int y) {
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Points inside the links: both end at the labels' common right edge (8 + 263).
constexpr int kLinkRight = 8 + 263;
constexpr int kMailY = 8 + 64 + 6;
constexpr int kHomeY = 8 + 80 + 6;

TEST(AboutBoxWin, LaysOutAsDesignedAndClosesWithOk) {
    fakes::FakeShell shell;
    RECT client{}, window{};
    RECT okRect{};
    LONG_PTR okStyle = 0;
    std::wstring okText(8, L'\0');
    ModalRun s = RunBox(shell, [&](HWND box) {
        GetClientRect(box, &client);
        GetWindowRect(box, &window);
        HWND ok = GetDlgItem(box, IDOK);
        ASSERT_TRUE(ok);
        GetWindowRect(ok, &okRect);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&okRect), 2);
        okStyle = GetWindowLongPtrW(ok, GWL_STYLE);
        okText.resize(static_cast<std::size_t>(GetWindowTextW(ok, okText.data(), 8)));
        EXPECT_EQ(GetFocus(), ok);
        // Return presses the default button.
        int hold = 0;
        if (const char* env = std::getenv("CV2_ABOUT_HOLD_MS")) hold = std::atoi(env);
        if (hold > 0) testing::Pump(static_cast<DWORD>(hold), box);
        PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(ok));
    });
    testing::ExpectFinished(s);
    // Designed in pixels at 96 dpi, laid out at the screen's resolution.
    auto d = [](int pixels) { return ScaleForDpi(pixels, DpiOfWindow(nullptr)); };
    EXPECT_EQ(client.right, d(298));
    EXPECT_EQ(client.bottom, d(180));
    int width = window.right - window.left, height = window.bottom - window.top;
    EXPECT_NEAR(window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
    EXPECT_NEAR(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);
    EXPECT_EQ(okRect.left, d(111));
    EXPECT_EQ(okRect.top, d(148));
    EXPECT_EQ(okRect.right - okRect.left, d(75));
    EXPECT_EQ(okRect.bottom - okRect.top, d(25));
    EXPECT_EQ(okStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(okText, L"OK");
    EXPECT_TRUE(shell.opened.empty());
}

TEST(AboutBoxWin, MailLinkOpensMailtoAndClosesTheBox) {
    fakes::FakeShell shell;
    WindowHandle owner = 0;
    ModalRun s = RunBox(shell, [&](HWND box) { Click(box, kLinkRight - 3, kMailY); });
    EXPECT_FALSE(s.timedOut) << "the box stayed open after the shell took the link";
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], std::string("mailto:") + kAboutMail);
    (void)owner;
}

TEST(AboutBoxWin, RefusedLinkKeepsTheBoxOpenAndOnlyLinksReactToClicks) {
    fakes::FakeShell shell;
    shell.openResult = 2;  // ERROR_FILE_NOT_FOUND
    bool openAfterRefusal = false;
    ModalRun s = RunBox(shell, [&](HWND box) {
        Click(box, 20, 30);          // the icon
        Click(box, 24, 8 + 96 + 6);  // the comment
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kLinkRight - 3, kMailY));
        SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(kLinkRight - 3, kHomeY));  // dragged off the link
        EXPECT_TRUE(shell.opened.empty());
        Click(box, kLinkRight - 3, kHomeY);
        openAfterRefusal = IsWindow(box) != FALSE;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    testing::ExpectFinished(s);
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], kAboutHomePage);
}

}  // namespace
}  // namespace cv2
