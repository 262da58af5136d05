#include "platform/FileFilter.h"

#include <vector>

#include "base/Text.h"

namespace cv2 {

std::string FileDialogFilter(std::string_view filter) {
    if (filter.empty()) return {};
    std::vector<std::string_view> pieces;
    for (;;) {
        std::size_t bar = FindSingleByteChar(filter, '|');
        if (bar == std::string_view::npos) {
            pieces.push_back(filter);
            break;
        }
        pieces.push_back(filter.substr(0, bar));
        filter.remove_prefix(bar + 1);
    }
    if (pieces.size() % 2) pieces.pop_back();
    if (pieces.empty()) return {};
    std::string out;
    for (std::string_view piece : pieces) {
        out += piece;
        out += '\0';
    }
    out += '\0';
    return out;
}

}  // namespace cv2
