#include "tree/UserFile.h"

#include <climits>

#include "base/FileSystem.h"
#include "base/Text.h"

namespace cv2 {

namespace {

std::string BadLevelMessage(int level, const std::string& text) {
    return "アイテム \"" + text + "\" の階層 (" + IntToStr(level) + ") が不正です";
}

// Leading TABs and SPACEs; a count past INT_MAX is kept at INT_MAX (it can only be a bad level).
int LeadingBlanks(std::string_view line) {
    std::size_t n = 0;
    while (n < line.size() && (line[n] == '\t' || line[n] == ' ')) ++n;
    return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

// Calls f(item, level) for every item in pre-order. The level is followed along the walk
// instead of asked of each item: a file may nest as deep as it has lines, and Level()
// climbs to the top every time.
template <typename F>
void ForEachWithLevel(const ItemTree& tree, F f) {
    std::size_t level = 0;
    for (const Item* n = tree.First(); n;) {
        f(*n, level);
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
}

}  // namespace

BadLevelError::BadLevelError(int level, const std::string& text)
    : Error(BadLevelMessage(level, text)), level_(level), text_(text) {}

std::string FormatUserFile(const ItemTree& tree) {
    std::size_t size = 0;
    ForEachWithLevel(tree, [&](const Item& item, std::size_t level) { size += level + item.Text().size() + 2; });
    std::string out;
    out.reserve(size);
    ForEachWithLevel(tree, [&](const Item& item, std::size_t level) {
        out.append(level, '\t');
        out += item.Text();
        out += "\r\n";
    });
    return out;
}

void ParseUserFile(std::string_view bytes, ItemTree& tree) {
    std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);

    Item* prev = nullptr;  // the item of the line before
    int prevLevel = 0;     // its level in the tree (not the count of its blanks)
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        std::string_view line = bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (end == std::string_view::npos)
            pos = bytes.size();
        else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            pos = end + 2;
        else
            pos = end + 1;

        int level = LeadingBlanks(line);
        std::string text(line.substr(static_cast<std::size_t>(level)));
        if (!prev) {
            prev = tree.AppendChild(nullptr, std::move(text));
            prevLevel = 0;
        } else if (level == prevLevel) {
            prev = tree.AppendChild(prev->Parent(), std::move(text));
        } else if (level == prevLevel + 1) {
            prev = tree.AppendChild(prev, std::move(text));
            prevLevel = level;
        } else if (level < prevLevel) {
            // Climb to the ancestor on the line's level; the new item follows it.
            Item* ancestor = prev->Parent();
            int ancestorLevel = prevLevel - 1;
            while (ancestorLevel > level) {
                ancestor = ancestor->Parent();
                --ancestorLevel;
            }
            prev = tree.AppendChild(ancestor->Parent(), std::move(text));
            prevLevel = level;
        } else {
            throw BadLevelError(level, text);
        }
    }
}

void SaveUserFile(FileSystem& files, const std::wstring& path, const ItemTree& tree) {
    if (!files.WriteFileAtomic(path, FormatUserFile(tree))) throw Error("ファイルを作成できません");
}

void LoadUserFile(FileSystem& files, const std::wstring& path, ItemTree& tree) {
    std::string bytes;
    if (!files.ReadFile(path, bytes)) throw Error("ファイルを開けません");
    tree.Clear();
    ParseUserFile(bytes, tree);
}

}  // namespace cv2
