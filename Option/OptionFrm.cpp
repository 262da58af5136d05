#include "Option/OptionFrm.h"

#include <cstdint>

namespace cv2 {

unsigned NumEdit1KeyPress(unsigned key) {
    constexpr unsigned kFullWidthZero = 0xFF10;
    if (key == 8 || (key >= '0' && key <= '9')) return key;
    if (key >= kFullWidthZero && key <= kFullWidthZero + 9) return key - kFullWidthZero + '0';
    return 0;
}

std::string NumEdit1Exit(const std::string& text) { return text.empty() ? std::string("0") : text; }

bool StrToInt(std::string_view text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    // One more than INT32_MAX is allowed in magnitude for the negative limit.
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

}  // namespace cv2
