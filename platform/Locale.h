#pragma once
#include <string>

#include "base/Types.h"

namespace cv2 {

// Today's date and the Japanese era of a date.
class Locale {
public:
    virtual ~Locale() = default;
    virtual Date Today() = 0;
    // The full era name ("gg") and the two-digit year within the era ("yy" of the
    // alternate calendar) in code page 932; both empty when the system does not know the
    // Japanese calendar.
    virtual std::string EraName(const Date& date) = 0;
    virtual std::string EraYear(const Date& date) = 0;
};

}  // namespace cv2
