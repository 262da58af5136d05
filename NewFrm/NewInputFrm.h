#pragma once
// The wizard dialog's decisions, apart from its window: which buttons a page enables,
// where Return and Next lead, and what leaving the birthday does to the age.
#include <optional>
#include <string>

#include "base/Types.h"

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

// What the age field holds after the focus left the birthday picker: the age when it is
// empty, or when it still holds `filledIn`, the age an earlier exit put there (so that it
// follows a birthday changed afterwards); an age the user typed stays. A birthday after
// today gives no age.
std::string AgeAfterBirthdayExit(const std::string& old, const Date& birthday, const Date& today,
                                 const std::string& filledIn = {});

}  // namespace cv2
