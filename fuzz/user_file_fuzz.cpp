// The user-file reader takes any bytes: they load, or the load stops with a bad level
// after the items before it. A loaded tree written out and read again comes back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tree/UserFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// (level, text) of every item in pre-order, from the links alone.
std::vector<std::pair<int, std::string>> Lines(const cv2::ItemTree& tree) {
    std::vector<std::pair<int, std::string>> out;
    int level = 0;
    for (const cv2::Item* n = tree.First(); n;) {
        out.emplace_back(level, n->Text());
        if (n->FirstChild()) {
            n = n->FirstChild();
            ++level;
            continue;
        }
        while (n && !n->NextSibling()) {
            n = n->Parent();
            --level;
        }
        if (n) n = n->NextSibling();
    }
    return out;
}

// What the reader must make of the bytes, worked out line by line without a tree.
std::vector<std::pair<int, std::string>> Expected(std::string_view bytes, bool& bad) {
    std::vector<std::pair<int, std::string>> out;
    bad = false;
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string line;
    auto take = [&]() {
        std::size_t blanks = line.find_first_not_of(" \t");
        if (blanks == std::string::npos) blanks = line.size();
        int level = static_cast<int>(blanks);
        if (out.empty())
            level = 0;
        else if (level > out.back().first + 1)
            bad = true;
        if (!bad) out.emplace_back(level, line.substr(blanks));
        line.clear();
    };
    for (std::size_t i = 0; i < bytes.size() && !bad; ++i) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            take();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty() && !bad) take();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cv2::ItemTree tree;
    bool failed = false;
    try {
        cv2::ParseUserFile(bytes, tree);
    } catch (const cv2::BadLevelError& e) {
        failed = true;
        Check(e.Level() >= 2);
        Check(!tree.Empty());
    }
    bool bad = false;
    auto expected = Expected(bytes, bad);
    Check(bad == failed);
    auto lines = Lines(tree);
    Check(lines == expected);
    Check(tree.Count() == static_cast<int>(lines.size()));

    // Absolute indices agree with the walk, forwards and backwards.
    int index = 0;
    for (const cv2::Item* n = tree.First(); n; n = n->Next(), ++index) Check(tree.ItemAt(index) == n);
    for (int i = tree.Count() - 1; i >= 0; --i) Check(tree.IndexOf(tree.ItemAt(i)) == i);

    // Loaded texts never begin with a blank nor hold a line end or NUL, so the round trip is exact.
    std::string written = cv2::FormatUserFile(tree);
    cv2::ItemTree again;
    cv2::ParseUserFile(written, again);
    Check(Lines(again) == lines);
    Check(cv2::FormatUserFile(again) == written);
    return 0;
}
