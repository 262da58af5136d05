#include "base/Text.h"

namespace cv2 {

std::size_t FindSingleByteChar(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c) return i;
        if (IsLeadByte(static_cast<unsigned char>(text[i]))) ++i;  // skip the second byte
    }
    return std::string_view::npos;
}

std::size_t FindLastSingleByteChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c)
            found = i;
        else if (IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
    }
    return found;
}

std::string IntToStr(long long n) { return std::to_string(n); }

}  // namespace cv2
