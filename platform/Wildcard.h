#pragma once
// File name masks as the Windows directory search matches them, for the ports that search
// folders without it.
#include <string_view>

namespace cv2 {

// "*" for any run, "?" for one character, ASCII letters without regard to case, and "*.*"
// for every name (with or without a dot).
bool MatchesWildcard(std::wstring_view mask, std::wstring_view name);

}  // namespace cv2
