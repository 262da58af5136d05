#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

TEST(Win32Locale, TodayIsTheLocalDate) {
    auto locale = MakeWin32Locale();
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_EQ(locale->Today(), (Date{st.wYear, st.wMonth, st.wDay}));
}

// A Japanese Windows formats the era itself; elsewhere (Wine, other locales) the port
// answers nothing rather than the Gregorian era, and the wizard uses its own table.
TEST(Win32Locale, EraNamesAndYearsAcrossTheirBoundaries) {
    auto locale = MakeWin32Locale();
    struct Case {
        Date date;
        const char* name;
        const char* year;
    } cases[] = {
        {{1989, 1, 7}, "昭和", "64"}, {{1989, 1, 8}, "平成", "01"}, {{2019, 4, 30}, "平成", "31"},
        {{2019, 5, 1}, "令和", "01"}, {{1996, 5, 3}, "平成", "08"}, {{1926, 12, 25}, "昭和", "01"},
    };
    for (const Case& c : cases) {
        std::string name = locale->EraName(c.date), year = locale->EraYear(c.date);
        EXPECT_EQ(name.empty(), year.empty());
        if (name.empty()) continue;
        EXPECT_EQ(name, c.name) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(year, c.year) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    }
}

struct EditWindow {
    UniqueWindow top{
        CreateWindowExW(0, L"STATIC", L"ime", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr)};
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top.get(), nullptr, nullptr, nullptr);
};

TEST(Win32Ime, OffTakesTheInputContextAwayUntilTheFieldIsLeft) {
    EditWindow w;
    auto ime = MakeWin32Ime();
    HIMC before = ImmGetContext(w.edit);
    if (!before) GTEST_SKIP() << "no input context on this system";
    ImmReleaseContext(w.edit, before);

    ime->Enter(reinterpret_cast<WindowHandle>(w.edit), ImeMode::Off);
    HIMC during = ImmGetContext(w.edit);
    EXPECT_EQ(during, nullptr);
    if (during) ImmReleaseContext(w.edit, during);

    ime->Leave(reinterpret_cast<WindowHandle>(w.edit), ImeMode::Off);
    HIMC after = ImmGetContext(w.edit);
    EXPECT_NE(after, nullptr);
    if (after) ImmReleaseContext(w.edit, after);
}

TEST(Win32Ime, KanaModesOpenTheImeInFullWidth) {
    EditWindow w;
    auto ime = MakeWin32Ime();
    HIMC imc = ImmGetContext(w.edit);
    if (!imc) GTEST_SKIP() << "no input context on this system";
    // Start from half-width katakana with a bit that the fields leave alone.
    ImmSetOpenStatus(imc, FALSE);
    ImmSetConversionStatus(imc, IME_CMODE_KATAKANA | IME_CMODE_ROMAN, IME_SMODE_NONE);

    ime->Enter(reinterpret_cast<WindowHandle>(w.edit), ImeMode::Hiragana);
    DWORD conversion = 0, sentence = 0;
    EXPECT_TRUE(ImmGetOpenStatus(imc));
    ASSERT_TRUE(ImmGetConversionStatus(imc, &conversion, &sentence));
    EXPECT_EQ(conversion, DWORD{IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN});

    ime->Enter(reinterpret_cast<WindowHandle>(w.edit), ImeMode::Katakana);
    ASSERT_TRUE(ImmGetConversionStatus(imc, &conversion, &sentence));
    EXPECT_EQ(conversion, DWORD{IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN});

    // As-is and leaving a kana field change nothing.
    ime->Enter(reinterpret_cast<WindowHandle>(w.edit), ImeMode::AsIs);
    ime->Leave(reinterpret_cast<WindowHandle>(w.edit), ImeMode::Katakana);
    EXPECT_TRUE(ImmGetOpenStatus(imc));
    ASSERT_TRUE(ImmGetConversionStatus(imc, &conversion, &sentence));
    EXPECT_EQ(conversion, DWORD{IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE | IME_CMODE_ROMAN});
    ImmReleaseContext(w.edit, imc);
}

}  // namespace
}  // namespace cv2
