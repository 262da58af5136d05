#pragma once
// The file dialogs' filter: "description|pattern" pairs turned into the system's form:
// each piece followed by a NUL, the whole list by one more NUL. Code page 932 throughout.
#include <string>
#include <string_view>

namespace cv2 {

// Empty for an empty filter. A description without its pattern at the end is dropped.
// "|" is looked for as a character of its own: it can be the second byte of a
// double-byte character ("ポ" is 0x83 0x7C).
std::string FileDialogFilter(std::string_view filter);

}  // namespace cv2
