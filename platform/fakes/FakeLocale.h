#pragma once
#include <functional>
#include <string>

#include "platform/Locale.h"

namespace cv2::fakes {

class FakeLocale : public Locale {
public:
    Date today{2024, 5, 10};
    // Era texts; empty unless a test sets them.
    std::function<std::string(const Date&)> eraName, eraYear;

    Date Today() override { return today; }
    std::string EraName(const Date& d) override { return eraName ? eraName(d) : std::string(); }
    std::string EraYear(const Date& d) override { return eraYear ? eraYear(d) : std::string(); }
};

}  // namespace cv2::fakes
