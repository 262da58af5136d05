#include "NewFrm/NewInputFrm.h"

#include "NewFrm/NewUserTree.h"
#include "base/Text.h"

namespace cv2 {

std::optional<PageButtons> PageButtonsFor(int page) {
    if (page < 0 || page >= kWizardPageCount) return std::nullopt;
    return PageButtons{page > 0, page < kWizardPageCount - 1, page == kWizardPageCount - 1};
}

int ReturnOrNextPage(int page, bool next) {
    if (next && page < kWizardPageCount - 1) return page + 1;
    if (!next && page > 0) return page - 1;
    return page;
}

std::string AgeAfterBirthdayExit(const std::string& old, const Date& birthday, const Date& today,
                                 const std::string& filledIn) {
    if (!old.empty() && (filledIn.empty() || old != filledIn)) return old;
    int age = CalcAge(birthday, today);
    return age < 0 ? std::string() : IntToStr(age);
}

}  // namespace cv2
