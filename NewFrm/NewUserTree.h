#pragma once
// Building the whole item tree from what the new user entered in the wizard: one
// top-level group per datum, each with the variants that entry forms ask for.
#include <string>
#include <string_view>

#include "NewFrm/WizardInput.h"
#include "platform/Locale.h"
#include "tree/ItemTree.h"

namespace cv2 {

// Replaces every item of `tree` with the groups built from `input`. Every item ends with
// its selected image index at image index + 12.
void BuildNewUserTree(ItemTree& tree, const WizardInput& input, Locale& locale);

// Splits a mail address at its first "@" that is a character of its own: the item gets
// icon 11 and the non-empty parts before and after the "@" as children with icon 11.
// Nothing happens without such an "@" or for a null item.
void SplitMailItem(ItemTree& tree, Item* item);
// For a text beginning with "http://" (any case), the rest as a child (icon untouched).
void SplitUrlItem(ItemTree& tree, Item* item);

// Formats a date by a picture: yyyy, yy, mm, m, dd, d, g/gg/ggg (era name), ee/e (era
// year), runs in double quotes copied as they are, anything else copied too. The era
// pieces come from `locale`, or from the built-in era table when it has none.
std::string FormatDatePicture(std::string_view picture, const Date& date, Locale& locale);

// Full years from `birth` to `today`; the age goes up on the birthday itself (29 February
// birthdays on 1 March in other years). Negative for a birthday after today.
int CalcAge(const Date& birth, const Date& today);

// `text` without its leading ASCII spaces and tabs: a text entering the tree with them
// would come back from the user file one level deeper.
std::string TrimLeadingBlanks(std::string_view text);

}  // namespace cv2
