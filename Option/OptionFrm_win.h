#pragma once
#include <windows.h>

#include <string>

namespace cv2 {

// The wait-time dialog (TOptionFrm): shows `text` in NumEdit1; true for OK, with the
// field's text (not yet converted) in `text`.
bool ShowOptionFrm(HWND owner, std::string& text);

}  // namespace cv2
