#include "platform/Wildcard.h"

#include "base/Path.h"

namespace cv2 {

bool MatchesWildcard(std::wstring_view mask, std::wstring_view name) {
    if (mask == L"*.*") return true;
    // Iterative with one backtrack point per "*": linear enough for any real mask.
    std::size_t m = 0, n = 0, starM = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == L'*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() && (mask[m] == L'?' || SameTextAscii(mask.substr(m, 1), name.substr(n, 1)))) {
            ++m;
            ++n;
        } else if (starM != std::wstring_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') ++m;
    return m == mask.size();
}

}  // namespace cv2
