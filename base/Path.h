#pragma once
// Path pieces the way the program forms them. "\", "/" and ":" all end a folder or drive.
#include <string>
#include <string_view>

namespace cv2 {

// Position just after the last "\", "/" or ":", or 0.
std::size_t NameStart(std::wstring_view path);
// The part after the last separator.
std::wstring ExtractFileName(std::wstring_view path);
// The path up to and including the last separator.
std::wstring ExtractFilePath(std::wstring_view path);
// The folder without its trailing "\", except where that "\" follows ":" or another
// separator, so that "C:\" and "\\" keep it.
std::wstring ExtractFileDir(std::wstring_view path);
// From the last "." after the last separator, or empty.
std::wstring ExtractFileExt(std::wstring_view path);
// The path up to its extension (the whole path when it has none) followed by `ext`.
std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view ext);
// The settings file of a path: its extension changed to ".ini" (".ini" for the empty path).
std::wstring SettingsFileOf(std::wstring_view path);
// Case-insensitive comparison of ASCII letters; other characters must match exactly.
bool SameTextAscii(std::wstring_view a, std::wstring_view b);

}  // namespace cv2
