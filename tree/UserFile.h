#pragma once
// The user file: one line per item in pre-order, indented by one TAB per level, each
// line ending with CR LF, texts as Shift-JIS bytes. An empty tree is a 0-byte file.
#include <string>
#include <string_view>

#include "base/Error.h"
#include "tree/ItemTree.h"

namespace cv2 {

class FileSystem;

// "アイテム "%1:s" の階層 (%0:d) が不正です": a line two or more levels deeper than the one before.
class BadLevelError : public Error {
public:
    BadLevelError(int level, const std::string& text);
    int Level() const { return level_; }
    const std::string& Text() const { return text_; }

private:
    int level_;
    std::string text_;
};

// The file's bytes for the tree.
std::string FormatUserFile(const ItemTree& tree);
// Appends the items of `bytes` to `tree` (normally empty). Line ends are LF, CR or CR LF;
// a NUL ends the text; each leading TAB or SPACE is one level. Throws BadLevelError; the
// items read before the bad line stay.
void ParseUserFile(std::string_view bytes, ItemTree& tree);

// Writes the tree atomically; throws Error when the file cannot be written (the old file
// is then intact).
void SaveUserFile(FileSystem& files, const std::wstring& path, const ItemTree& tree);
// Clears the tree and reads the file into it; throws Error when the file cannot be read
// (the tree is then untouched) and BadLevelError as ParseUserFile does.
void LoadUserFile(FileSystem& files, const std::wstring& path, ItemTree& tree);

}  // namespace cv2
