#pragma once
// Conversion between code page 932 and wide text, the same on every system locale.
#include <string>
#include <string_view>

namespace cv2 {

std::wstring FromCp932(std::string_view text);
std::string ToCp932(std::wstring_view text);

}  // namespace cv2
