#pragma once
// TNumEdit: a single-line edit whose text is right-aligned. It is the standard edit with
// ES_RIGHT added to the styles at creation; it filters nothing itself. Made without a
// place: the dialog places it (DialogBase::AddPlaced).
#include <windows.h>

namespace cv2 {

HWND CreateNumEdit(HWND parent, int id, DWORD style, DWORD exStyle);

}  // namespace cv2
