// The wait-time dialog, driven inside its modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Option/OptionFrm.h"
#include "Option/OptionFrm_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

// Shows the dialog with `text` and runs `script` inside it.
bool Show(std::string& text, testing::DialogAction script, HWND owner = nullptr) {
    bool ok = false;
    testing::ExpectFinished(testing::DriveModal([&] { ok = ShowOptionFrm(owner, text); }, {std::move(script)}));
    return ok;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buf[64] = {};
    GetWindowTextW(hwnd, buf, 64);
    return buf;
}

void Type(HWND edit, const wchar_t* chars) {
    for (const wchar_t* p = chars; *p; ++p) SendMessageW(edit, WM_CHAR, *p, 1);
}

void PressKey(HWND target, WPARAM vk) {
    // Posted, so that the dialog's own loop sees it as it would see a keystroke.
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
}

TEST(OptionFrmWin, LayoutAndInitialField) {
    std::string text = "0";
    RECT client{}, editRect{};
    LONG_PTR editStyle = 0;
    std::wstring caption, shown, label1, label2;
    HWND focus = nullptr, edit = nullptr;
    bool ok = Show(text, [&](HWND dlg) {
        GetClientRect(dlg, &client);
        edit = GetDlgItem(dlg, kOptionNumEdit1Id);
        GetWindowRect(edit, &editRect);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&editRect), 2);
        editStyle = GetWindowLongPtrW(edit, GWL_STYLE);
        caption = TextOf(dlg);
        shown = TextOf(edit);
        label1 = TextOf(GetDlgItem(dlg, kOptionLabel1Id));
        label2 = TextOf(GetDlgItem(dlg, kOptionLabel2Id));
        focus = GetFocus();
        PressKey(edit, VK_ESCAPE);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(text, "0");
    // Designed in pixels at 96 dpi, laid out at the screen's resolution.
    auto d = [](int pixels) { return ScaleForDpi(pixels, DpiOfWindow(nullptr)); };
    EXPECT_EQ(client.right, d(251));
    EXPECT_EQ(client.bottom, d(80));
    EXPECT_EQ(editRect.left, d(200));
    EXPECT_EQ(editRect.top, d(16));
    EXPECT_EQ(editRect.right - editRect.left, d(41));
    EXPECT_EQ(editRect.bottom - editRect.top, d(20));
    EXPECT_TRUE(editStyle & ES_RIGHT);
    EXPECT_EQ(caption, L"Wait設定");
    EXPECT_EQ(shown, L"0");
    EXPECT_EQ(label1, L"貼りつけが上手くいかない場合");
    EXPECT_EQ(label2, L"設定して下さい。　例） 300");
    EXPECT_EQ(focus, edit);
}

TEST(OptionFrmWin, TypingIsFilteredAndLimitedAndEnterPressesOk) {
    std::string text = "0";
    std::wstring afterTyping;
    bool ok = Show(text, [&](HWND dlg) {
        HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        Type(edit,
             L"a-2\x3042"
             L"5\x16"
             L"0x9");  // letters, minus, kana, Ctrl+V, a fourth digit
        afterTyping = TextOf(edit);
        PressKey(edit, VK_RETURN);
    });
    EXPECT_EQ(afterTyping, L"250");
    EXPECT_TRUE(ok);
    EXPECT_EQ(text, "250");
}

TEST(OptionFrmWin, EnterOnAnEmptiedFieldGivesTheEmptyText) {
    std::string text = "300";
    bool ok = Show(text, [&](HWND dlg) {
        HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        Type(edit, L"\b");
        PressKey(edit, VK_RETURN);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(text, "");
    int value = 0;
    EXPECT_FALSE(StrToInt(text, value));  // Wait1Click reports it and keeps the old value
}

TEST(OptionFrmWin, LeavingAnEmptiedFieldTurnsItToZero) {
    std::string text = "300";
    bool ok = Show(text, [&](HWND dlg) {
        HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        Type(edit, L"\b");
        HWND okButton = GetDlgItem(dlg, IDOK);
        SetFocus(okButton);  // as a mouse press on OK moves the focus
        SendMessageW(okButton, BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(text, "0");
}

TEST(OptionFrmWin, LongValuesShowAndCancelAndCloseKeepTheText) {
    std::string text = "1500";
    std::wstring shown;
    bool ok = Show(text, [&](HWND dlg) {
        shown = TextOf(GetDlgItem(dlg, kOptionNumEdit1Id));
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(shown, L"1500");
    EXPECT_TRUE(ok);
    EXPECT_EQ(text, "1500");

    ok = Show(text, [&](HWND dlg) {
        Type(GetDlgItem(dlg, kOptionNumEdit1Id), L"\b\b");
        PostMessageW(dlg, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(text, "1500");

    ok = Show(text, [&](HWND dlg) { SendMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0); });
    EXPECT_FALSE(ok);
}

TEST(OptionFrmWin, CentredOverTheOwnerButKeptOnTheScreen) {
    struct Case {
        RECT owner;
        bool centred;
    };
    Case cases[] = {{{300, 300, 700, 600}, true}, {{-60, -40, 140, 300}, false}};
    for (const Case& c : cases) {
        HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, c.owner.left, c.owner.top,
                                     c.owner.right - c.owner.left, c.owner.bottom - c.owner.top, nullptr, nullptr,
                                     nullptr, nullptr);
        std::string text = "0";
        RECT dlgRect{};
        Show(
            text,
            [&](HWND dlg) {
                GetWindowRect(dlg, &dlgRect);
                PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
            },
            owner);
        DestroyWindow(owner);
        if (c.centred) {
            EXPECT_NEAR((dlgRect.left + dlgRect.right) / 2, 500, 1);
            EXPECT_NEAR((dlgRect.top + dlgRect.bottom) / 2, 450, 1);
        } else {
            EXPECT_GE(dlgRect.left, 0);
            EXPECT_GE(dlgRect.top, 0);
        }
    }
}

}  // namespace
}  // namespace cv2
