#pragma once
// The modern Japanese eras, for systems whose date formatting offers no Japanese-era
// calendar (other locales, Wine). The start dates are the ones Windows keeps in its
// era table, so the texts match what a Japanese Windows gives.
#include <string>

#include "base/Types.h"

namespace cv2 {

struct Era {
    Date start;        // first day of the era
    const char* name;  // full name, code page 932
};

// The era that `date` falls in, or null before the first one (1 January 1868).
const Era* FindEra(const Date& date);

// The full era name of the date; empty before the first era.
std::string BuiltInEraName(const Date& date);
// The year within the era in two digits ("01" for the first year); empty before the first era.
std::string BuiltInEraYear(const Date& date);

}  // namespace cv2
