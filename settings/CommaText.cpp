#include "settings/CommaText.h"

#include "base/Text.h"

namespace cv2 {
namespace {

bool IsBlankOrControl(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    return b >= 1 && b <= ' ';
}

// One step forward over a character.
std::size_t Next(std::string_view s, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? i + 2 : i + 1;
}

// A quoted element starting at s[i] == '"'. Returns the element and leaves i after the closing
// quote, or at the end when there is none. An unclosed element loses its last character, as
// the classic routine does.
std::string QuotedElement(std::string_view s, std::size_t& i) {
    std::string out;
    std::size_t p = i + 1;
    bool closed = false;
    while (p < s.size()) {
        if (s[p] == '"') {
            if (p + 1 < s.size() && s[p + 1] == '"') {
                out += '"';
                p += 2;
                continue;
            }
            closed = true;
            ++p;
            break;
        }
        std::size_t n = Next(s, p);
        out.append(s.substr(p, n - p));
        p = n;
    }
    i = p;
    if (!closed && !out.empty()) {
        // The routine cuts the byte before the end, whatever character it belongs to.
        out.pop_back();
    }
    return out;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i < text.size() && IsBlankOrControl(text[i])) ++i;
    while (i < text.size()) {
        if (text[i] == '"') {
            items.push_back(QuotedElement(text, i));
        } else {
            std::size_t start = i;
            while (i < text.size() && !IsBlankOrControl(text[i]) && text[i] != ',') i = Next(text, i);
            items.emplace_back(text.substr(start, i - start));
        }
        while (i < text.size() && IsBlankOrControl(text[i])) ++i;
        if (i < text.size() && text[i] == ',') {
            ++i;
            while (i < text.size() && IsBlankOrControl(text[i])) ++i;
        }
    }
    return items;
}

}  // namespace cv2
