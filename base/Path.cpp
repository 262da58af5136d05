#include "base/Path.h"

namespace cv2 {

static bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

std::size_t NameStart(std::wstring_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return i;
    return 0;
}

std::wstring ExtractFileName(std::wstring_view path) { return std::wstring(path.substr(NameStart(path))); }

std::wstring ExtractFilePath(std::wstring_view path) { return std::wstring(path.substr(0, NameStart(path))); }

std::wstring ExtractFileDir(std::wstring_view path) {
    std::size_t end = NameStart(path);
    if (end > 1 && (path[end - 1] == L'\\' || path[end - 1] == L'/') && !IsSeparator(path[end - 2])) --end;
    return std::wstring(path.substr(0, end));
}

std::wstring ExtractFileExt(std::wstring_view path) {
    std::size_t start = NameStart(path);
    std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos || dot < start) return {};
    return std::wstring(path.substr(dot));
}

std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view ext) {
    std::size_t start = NameStart(path);
    std::size_t dot = path.rfind(L'.');
    std::size_t end = (dot == std::wstring_view::npos || dot < start) ? path.size() : dot;
    std::wstring result(path.substr(0, end));
    result += ext;
    return result;
}

std::wstring SettingsFileOf(std::wstring_view path) { return ChangeFileExt(path, L".ini"); }

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x + 32);
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace cv2
