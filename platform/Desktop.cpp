#include "platform/Desktop.h"

#include "base/Text.h"

namespace cv2 {

std::string TitleThatFits(std::string_view title, int bufferBytes) {
    if (bufferBytes <= 0) return {};
    const std::size_t maxBytes = static_cast<std::size_t>(bufferBytes) - 1;
    std::size_t n = 0;
    while (n < title.size()) {
        std::size_t len = IsLeadByte(static_cast<unsigned char>(title[n])) && n + 1 < title.size() ? 2 : 1;
        if (n + len > maxBytes) break;
        n += len;
    }
    return std::string(title.substr(0, n));
}

}  // namespace cv2
