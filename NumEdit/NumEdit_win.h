#pragma once
// TNumEdit: a single-line edit whose text is right-aligned. It is the standard edit with
// ES_RIGHT added to the styles at creation; it filters nothing itself.
#include <windows.h>

namespace cv2 {

HWND CreateNumEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style, DWORD exStyle);

}  // namespace cv2
