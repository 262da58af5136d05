#pragma once
// The wizard dialog's decisions, apart from its window: which buttons a page enables,
// where Return and Next lead, and what leaving the birthday does to the age.
#include <optional>
#include <string>

#include "platform/Types.h"

namespace cv2 {

inline constexpr int kWizardPageCount = 4;

struct PageButtons {
    bool returnEnabled = false;
    bool nextEnabled = false;
    bool okEnabled = false;
    friend bool operator==(const PageButtons&, const PageButtons&) = default;
};

// The buttons of a page (0 to 3); none for another index, which changes nothing.
// Cancel is always enabled; the focus goes to the page's first field.
std::optional<PageButtons> PageButtonsFor(int page);

// The page that Next (`next`) or Return leads to from `page`; the same page at either end.
int ReturnOrNextPage(int page, bool next);

// What the age field holds after the birthday picker lost the focus: the age when it was
// empty, otherwise unchanged. A birthday after today leaves it unchanged too.
std::string AgeAfterBirthdayExit(const std::string& old, const Date& birthday, const Date& today);

}  // namespace cv2
