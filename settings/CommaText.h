#pragma once
// Splitting a comma text (the stored list of expanded items) into its elements.
//
// Leading blanks and control characters are skipped. An element is either a double-quoted
// string, in which "" stands for one quote, or the run of bytes up to the next "," or the next
// byte at or below the space. After an element, blanks and one "," with the blanks after it
// are skipped; so "a,,b" has an empty middle element, while a final "," adds nothing.
// A NUL byte ends the text. Second bytes of double-byte characters are never taken for
// separators or quotes.
#include <string>
#include <string_view>
#include <vector>

namespace cv2 {

std::vector<std::string> SplitCommaText(std::string_view text);

}  // namespace cv2
