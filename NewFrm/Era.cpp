#include "NewFrm/Era.h"

#include <array>

#include "base/Text.h"

namespace cv2 {
namespace {

constexpr std::array<Era, 5> kEras{{
    {{1868, 1, 1}, "明治"},
    {{1912, 7, 30}, "大正"},
    {{1926, 12, 25}, "昭和"},
    {{1989, 1, 8}, "平成"},
    {{2019, 5, 1}, "令和"},
}};

constexpr bool Before(const Date& a, const Date& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

}  // namespace

const Era* FindEra(const Date& date) {
    for (auto it = kEras.rbegin(); it != kEras.rend(); ++it)
        if (!Before(date, it->start)) return &*it;
    return nullptr;
}

std::string BuiltInEraName(const Date& date) {
    const Era* era = FindEra(date);
    return era ? era->name : "";
}

std::string BuiltInEraYear(const Date& date) {
    const Era* era = FindEra(date);
    if (!era) return "";
    std::string year = IntToStr(date.year - era->start.year + 1);
    return year.size() < 2 ? "0" + year : year;
}

}  // namespace cv2
