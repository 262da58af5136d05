// The wizard dialog driven from inside its own modal loop: one step of a script per tick
// of a thread timer, and ticks come only when the posted keys before them are handled.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "NewFrm/NewInputFrm_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

struct Script {
    std::vector<testing::ModalStep> steps;
};

bool RunScript(Script& s, WizardInput& input) {
    bool ok = false;
    std::unique_ptr<Locale> locale = MakeWin32Locale();
    std::unique_ptr<Ime> ime = MakeWin32Ime();
    testing::ExpectFinished(
        testing::DriveModal([&] { ok = ShowNewInputFrm(nullptr, input, *locale, *ime); }, s.steps, 20000));
    return ok;
}

HWND Ctl(HWND dlg, int id) { return GetDlgItem(dlg, id); }
int FocusId() { return GetDlgCtrlID(GetFocus()); }
bool Shown(HWND dlg, int id) { return IsWindowVisible(Ctl(dlg, id)) != FALSE; }
bool Enabled(HWND dlg, int id) { return IsWindowEnabled(Ctl(dlg, id)) != FALSE; }

std::wstring Text(HWND dlg, int id) {
    wchar_t buf[256];
    int n = GetWindowTextW(Ctl(dlg, id), buf, 256);
    return std::wstring(buf, static_cast<std::size_t>(n));
}

void Type(const std::wstring& text) {
    HWND focus = GetFocus();
    for (wchar_t c : text) PostMessageW(focus, WM_CHAR, c, 1);
}

void Key(WORD vk) {
    HWND focus = GetFocus();
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(focus, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void Click(HWND dlg, int id) {
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Ctl(dlg, id)));
}

// Which page is shown, judged by its first field; -1 when not exactly one.
int ShownPage(HWND dlg) {
    const int firsts[] = {kIdYubin01, kIdKanji01, kIdSyokugyou, kIdTuika01};
    int shown = -1;
    for (int p = 0; p < 4; ++p) {
        if (!Shown(dlg, firsts[p])) continue;
        if (shown >= 0) return -1;
        shown = p;
    }
    return shown;
}

// The buttons as "RNOC", a letter for each enabled one and "-" for a disabled one.
std::string Buttons(HWND dlg) {
    std::string s;
    s += Enabled(dlg, kIdReturnBtn) ? 'R' : '-';
    s += Enabled(dlg, kIdNextBtn) ? 'N' : '-';
    s += Enabled(dlg, kIdOkBtn) ? 'O' : '-';
    s += Enabled(dlg, kIdCancelBtn) ? 'C' : '-';
    return s;
}

TEST(NewInputFrm, OpensOnTheFirstPageWithNothingEntered) {
    Script s;
    s.steps = {[](HWND dlg) {
        RECT client;
        GetClientRect(dlg, &client);
        // Designed in pixels at 96 dpi, laid out at the screen's resolution.
        const int dpi = DpiOfWindow(dlg);
        auto d = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
        EXPECT_EQ(client.right, d(446));
        EXPECT_EQ(client.bottom, d(256));
        LONG_PTR style = GetWindowLongPtrW(dlg, GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(style & WS_SYSMENU);
        RECT r;
        GetWindowRect(dlg, &r);
        EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

        EXPECT_EQ(GetActiveWindow(), dlg);
        EXPECT_EQ(ShownPage(dlg), 0);
        EXPECT_EQ(Buttons(dlg), "-N-C");
        EXPECT_EQ(FocusId(), kIdYubin01);
        for (int id = kIdYubin01; id <= kIdTuika05; ++id)
            if (id != kIdBirthday) {
                EXPECT_EQ(Text(dlg, id), L"") << id;
            }
        SYSTEMTIME picked{}, today;
        GetLocalTime(&today);
        EXPECT_EQ(SendMessageW(Ctl(dlg, kIdBirthday), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)),
                  GDT_VALID);
        EXPECT_EQ(picked.wYear, today.wYear);
        EXPECT_EQ(picked.wMonth, today.wMonth);
        EXPECT_EQ(picked.wDay, today.wDay);

        // Where the fields and buttons stand, relative to the client area.
        auto at = [&](int id) {
            RECT rc;
            GetWindowRect(Ctl(dlg, id), &rc);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
            return rc;
        };
        RECT ok = at(kIdOkBtn);
        EXPECT_EQ(ok.left, d(352));
        EXPECT_EQ(ok.top, d(256 - 41 + 8));
        EXPECT_EQ(ok.right - ok.left, d(75));
        EXPECT_EQ(ok.bottom - ok.top, d(25));
        EXPECT_EQ(at(kIdReturnBtn).left, d(88));
        EXPECT_NEAR(at(kIdYubin02).left - at(kIdYubin01).left, d(64), 1);
        EXPECT_NEAR(at(kIdJyuusyo02).top - at(kIdYubin01).top, d(4 * 32), 1);
        EXPECT_EQ(at(kIdTodoufuken).right - at(kIdTodoufuken).left, d(347));
        // The field's text fits its height at every scale.
        HWND field = Ctl(dlg, kIdTodoufuken);
        RECT inner{};
        GetClientRect(field, &inner);
        HDC dc = GetDC(field);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(field, dc);
        EXPECT_LE(tm.tmHeight, inner.bottom);
        EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, d(12), 1);
        Click(dlg, kIdCancelBtn);
    }};
    WizardInput input;
    input.Mail = "untouched";
    EXPECT_FALSE(RunScript(s, input));
    EXPECT_EQ(input.Mail, "untouched");
}

TEST(NewInputFrm, NextAndReturnWalkThePages) {
    Script s;
    std::string seen;
    auto note = [&](HWND dlg) {
        seen += std::to_string(ShownPage(dlg)) + Buttons(dlg) + std::to_string(FocusId()) + " ";
    };
    for (int i = 0; i < 3; ++i)
        s.steps.push_back([&](HWND dlg) {
            Click(dlg, kIdNextBtn);
            note(dlg);
        });
    s.steps.push_back([&](HWND dlg) {
        Click(dlg, kIdNextBtn);
        note(dlg);
    });  // stays on the last page
    for (int i = 0; i < 4; ++i)
        s.steps.push_back([&](HWND dlg) {
            Click(dlg, kIdReturnBtn);
            note(dlg);
        });
    s.steps.push_back([](HWND dlg) { Click(dlg, kIdCancelBtn); });
    WizardInput input;
    EXPECT_FALSE(RunScript(s, input));
    EXPECT_EQ(seen, "1RN-C1007 2RN-C1017 3R-OC1026 3R-OC1026 2RN-C1017 1RN-C1007 0-N-C1001 0-N-C1001 ");
}

TEST(NewInputFrm, EnterMovesToTheNextFieldWithoutTypingAnything) {
    Script s;
    s.steps = {
        [](HWND) { Type(L"123"); },
        [](HWND) { Key(VK_RETURN); },
        [](HWND dlg) {
            EXPECT_EQ(FocusId(), kIdYubin02);
            EXPECT_EQ(Text(dlg, kIdYubin01), L"123");
            SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdJyuusyo02)), TRUE);
            Type(L"ビル");
            Key(VK_RETURN);
        },
        [](HWND dlg) {
            EXPECT_EQ(FocusId(), kIdNextBtn);
            EXPECT_EQ(Text(dlg, kIdJyuusyo02), L"ビル");
            Key(VK_RETURN);  // presses the focused button
        },
        [](HWND dlg) {
            EXPECT_EQ(ShownPage(dlg), 1);
            EXPECT_EQ(FocusId(), kIdKanji01);
            Key(VK_ESCAPE);  // no cancel button: nothing happens
        },
        [](HWND dlg) {
            EXPECT_EQ(ShownPage(dlg), 1);
            PostMessageW(dlg, WM_CLOSE, 0, 0);  // the close box
        },
    };
    WizardInput input;
    EXPECT_FALSE(RunScript(s, input));
}

TEST(NewInputFrm, TypingLimits) {
    Script s;
    s.steps = {
        [](HWND) { Type(L"12345"); },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdYubin01), L"123");
            SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdYubin02)), TRUE);
            Type(L"456789");
        },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdYubin02), L"4567");
            SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdTodoufuken)), TRUE);
            Type(std::wstring(40, L'都'));
        },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdTodoufuken).size(), 40u);
            Click(dlg, kIdNextBtn);
            SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdOld)), TRUE);
            Type(L"123");
        },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdOld), L"12");
            Click(dlg, kIdNextBtn);
            Type(L"12345678901234");  // Syokugyou: no limit
            Key(VK_RETURN);
        },
        [](HWND) { Type(L"12345678901234"); },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdSyokugyou), L"12345678901234");
            EXPECT_EQ(Text(dlg, kIdTel01), L"1234567890");
            Click(dlg, kIdCancelBtn);
        },
    };
    WizardInput input;
    EXPECT_FALSE(RunScript(s, input));
}

TEST(NewInputFrm, LeavingTheBirthdayFillsAnEmptyAge) {
    Script s;
    auto toPicker = [](HWND dlg) {
        SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdBirthday)), TRUE);
    };
    s.steps = {
        [](HWND dlg) { Click(dlg, kIdNextBtn); },
        toPicker,
        [](HWND) { Key(VK_RETURN); },  // today's date: age 0
        [](HWND dlg) {
            EXPECT_EQ(FocusId(), kIdOld);
            EXPECT_EQ(Text(dlg, kIdOld), L"0");
            SYSTEMTIME st{};
            st.wYear = 1990;
            st.wMonth = 1;
            st.wDay = 2;
            SendMessageW(Ctl(dlg, kIdBirthday), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        },
        toPicker,
        [](HWND dlg) { SendMessageW(dlg, WM_NEXTDLGCTL, 0, 0); },
        [](HWND dlg) {
            // The age the exit put there follows the new birthday.
            SYSTEMTIME today;
            GetLocalTime(&today);
            int age = today.wYear - 1990 - ((today.wMonth == 1 && today.wDay < 2) ? 1 : 0);
            EXPECT_EQ(Text(dlg, kIdOld), std::to_wstring(age));
            SetWindowTextW(Ctl(dlg, kIdOld), L"40");  // as the user types it
            SYSTEMTIME st{};
            st.wYear = 2000;
            st.wMonth = 1;
            st.wDay = 2;
            SendMessageW(Ctl(dlg, kIdBirthday), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        },
        toPicker,
        [](HWND dlg) { SendMessageW(dlg, WM_NEXTDLGCTL, 0, 0); },
        [](HWND dlg) {
            EXPECT_EQ(Text(dlg, kIdOld), L"40");  // the user's own age stays
            Click(dlg, kIdCancelBtn);
        },
    };
    WizardInput input;
    EXPECT_FALSE(RunScript(s, input));
}

// A birthday picked in the drop-down calendar of the real control. Wine's picker loses the
// focus to the calendar before it reports the drop-down; that must not count as leaving it.
TEST(NewInputFrm, TheAgeFollowsABirthdayPickedInTheCalendar) {
    static SYSTEMTIME before{}, picked{};
    Script s;
    s.steps = {
        [](HWND dlg) { Click(dlg, kIdNextBtn); },
        [](HWND dlg) {
            // Thirty years ago today: a pick in the middle of that month usually changes the age.
            GetLocalTime(&before);
            before.wYear = static_cast<WORD>(before.wYear - 30);
            if (before.wMonth == 2 && before.wDay == 29) before.wDay = 28;
            SendMessageW(Ctl(dlg, kIdBirthday), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&before));
            SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Ctl(dlg, kIdBirthday)), TRUE);
        },
        [](HWND dlg) {
            // The drop-down button at the right end of the picker.
            HWND picker = Ctl(dlg, kIdBirthday);
            RECT r{};
            GetClientRect(picker, &r);
            LPARAM at = MAKELPARAM(r.right - 8, r.bottom / 2);
            PostMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(picker, WM_LBUTTONUP, 0, at);
        },
        [](HWND) {},
        [](HWND dlg) {
            HWND calendar = reinterpret_cast<HWND>(SendMessageW(Ctl(dlg, kIdBirthday), DTM_GETMONTHCAL, 0, 0));
            ASSERT_TRUE(calendar && IsWindowVisible(calendar)) << "the calendar did not drop down";
            EXPECT_EQ(Text(dlg, kIdOld), L"") << "opening the calendar is not leaving the picker";
            // A day in the middle of the month grid.
            RECT r{};
            GetClientRect(calendar, &r);
            LPARAM at = MAKELPARAM(r.right / 2, r.bottom * 3 / 5);
            PostMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(calendar, WM_LBUTTONUP, 0, at);
        },
        [](HWND) {},
        [](HWND dlg) {
            SendMessageW(Ctl(dlg, kIdBirthday), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked));
            EXPECT_FALSE(picked.wYear == before.wYear && picked.wMonth == before.wMonth && picked.wDay == before.wDay)
                << "the click picked no other day";
            SendMessageW(dlg, WM_NEXTDLGCTL, 0, 0);  // Tab on to the age
        },
        [](HWND dlg) {
            SYSTEMTIME today;
            GetLocalTime(&today);
            int age =
                today.wYear - picked.wYear -
                ((picked.wMonth > today.wMonth || (picked.wMonth == today.wMonth && picked.wDay > today.wDay)) ? 1 : 0);
            EXPECT_EQ(Text(dlg, kIdOld), std::to_wstring(age));
            Click(dlg, kIdCancelBtn);
        },
    };
    WizardInput input;
    EXPECT_FALSE(RunScript(s, input));
}

TEST(NewInputFrm, TheKeyboardAloneFillsEveryField) {
    // Each page's fields in tab order; Enter after each, then Enter on Next (or OK).
    const std::vector<std::vector<std::wstring>> pages = {
        {L"123", L"4567", L"東京都", L"千代田区", L"一番町1", L"ビル2階"},
        {L"山田", L"太郎", L"やまだ", L"たろう", L"ヤマダ", L"タロウ", L"Yamada", L"Taro", L"", L"33"},
        {L"会社員", L"03", L"1234", L"5678", L"03", L"8765", L"4321", L"a@b.jp", L"http://x.jp/"},
        {L"t1", L"t2", L"", L"t4", L"t5"},
    };
    Script s;
    for (const auto& page : pages) {
        for (const std::wstring& text : page) {
            s.steps.push_back([text](HWND) {
                Type(text);
                Key(VK_RETURN);
            });
        }
        s.steps.push_back([](HWND) {
            EXPECT_TRUE(FocusId() == kIdNextBtn || FocusId() == kIdOkBtn) << FocusId();
            Key(VK_RETURN);
        });
    }
    WizardInput input;
    ASSERT_TRUE(RunScript(s, input));
    auto u = [](const wchar_t* w) { return ToCp932(w); };
    EXPECT_EQ(input.Yubin01, "123");
    EXPECT_EQ(input.Yubin02, "4567");
    EXPECT_EQ(input.Todoufuken, u(L"東京都"));
    EXPECT_EQ(input.Sikuchoson, u(L"千代田区"));
    EXPECT_EQ(input.Jyuusyo01, u(L"一番町1"));
    EXPECT_EQ(input.Jyuusyo02, u(L"ビル2階"));
    EXPECT_EQ(input.Kanji01, u(L"山田"));
    EXPECT_EQ(input.Kanji02, u(L"太郎"));
    EXPECT_EQ(input.Hiragana01, u(L"やまだ"));
    EXPECT_EQ(input.Hiragana02, u(L"たろう"));
    EXPECT_EQ(input.Katakana01, u(L"ヤマダ"));
    EXPECT_EQ(input.Katakana02, u(L"タロウ"));
    EXPECT_EQ(input.Romaji01, "Yamada");
    EXPECT_EQ(input.Romaji02, "Taro");
    EXPECT_EQ(input.Old, "33");  // the age from the birthday is selected on arrival and typed over
    EXPECT_EQ(input.Syokugyou, u(L"会社員"));
    EXPECT_EQ(input.Tel01 + "-" + input.Tel02 + "-" + input.Tel03, "03-1234-5678");
    EXPECT_EQ(input.Fax01 + "-" + input.Fax02 + "-" + input.Fax03, "03-8765-4321");
    EXPECT_EQ(input.Mail, "a@b.jp");
    EXPECT_EQ(input.Url, "http://x.jp/");
    EXPECT_EQ(input.Tuika01, "t1");
    EXPECT_EQ(input.Tuika02, "t2");
    EXPECT_EQ(input.Tuika03, "");
    EXPECT_EQ(input.Tuika04, "t4");
    EXPECT_EQ(input.Tuika05, "t5");
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(input.Birthday, (Date{today.wYear, today.wMonth, today.wDay}));
}

}  // namespace
}  // namespace cv2
