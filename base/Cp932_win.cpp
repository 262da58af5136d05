#include <windows.h>

#include "base/Cp932.h"

namespace cv2 {

std::wstring FromCp932(std::string_view text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string ToCp932(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace cv2
