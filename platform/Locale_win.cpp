// Today's date and the Japanese era, from the system where it knows the era.
//
// A Japanese Windows formats the era through its alternate calendar (DATE_USE_ALT_CALENDAR
// with the pictures "gg" and "yy"). Other locales have no such calendar, and Wine ignores
// the flag and answers with the Gregorian era; both are recognised and answered with empty
// texts, so that the wizard falls back on its own era table.
#include <windows.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

BOOL CALLBACK FindJapaneseCalendar(LPWSTR info, CALID, LPWSTR, LPARAM found) {
    if (wcstol(info, nullptr, 10) == CAL_JAPAN) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool LocaleOffersJapaneseEra(LCID lcid) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    if (!LCIDToLocaleName(lcid, name, LOCALE_NAME_MAX_LENGTH, 0)) return false;
    bool found = false;
    EnumCalendarInfoExEx(FindJapaneseCalendar, name, ENUM_ALL_CALENDARS, nullptr, CAL_ICALINTVALUE,
                         reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring FormatDate(LCID lcid, DWORD flags, const Date& date, const wchar_t* picture) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year);
    st.wMonth = static_cast<WORD>(date.month);
    st.wDay = static_cast<WORD>(date.day);
    wchar_t buf[64];
    int n = GetDateFormatW(lcid, flags, &st, picture, buf, 64);
    return n > 0 ? std::wstring(buf, static_cast<std::size_t>(n - 1)) : std::wstring();
}

class Win32Locale : public Locale {
public:
    Date Today() override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return {st.wYear, st.wMonth, st.wDay};
    }
    std::string EraName(const Date& date) override {
        std::wstring name, year;
        return SystemEra(date, name, year) ? ToCp932(name) : std::string();
    }
    std::string EraYear(const Date& date) override {
        std::wstring name, year;
        return SystemEra(date, name, year) ? ToCp932(year) : std::string();
    }

private:
    // The system's era texts, when its alternate calendar is the Japanese one.
    static bool SystemEra(const Date& date, std::wstring& name, std::wstring& year) {
        LCID lcid = GetThreadLocale();
        if (!LocaleOffersJapaneseEra(lcid)) return false;
        name = FormatDate(lcid, DATE_USE_ALT_CALENDAR, date, L"gg");
        year = FormatDate(lcid, DATE_USE_ALT_CALENDAR, date, L"yy");
        // Where the flag changed nothing, the "era" is the Gregorian one (or none).
        if (name.empty() || name == FormatDate(lcid, 0, date, L"gg")) return false;
        return year.size() >= 2 && year != FormatDate(lcid, 0, date, L"yy");
    }
};

}  // namespace

std::unique_ptr<Locale> MakeWin32Locale() { return std::make_unique<Win32Locale>(); }

}  // namespace cv2
