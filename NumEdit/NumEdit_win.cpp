#include "NumEdit/NumEdit_win.h"

namespace cv2 {

HWND CreateNumEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style, DWORD exStyle) {
    return CreateWindowExW(exStyle, L"EDIT", L"", style | WS_CHILD | ES_RIGHT, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace cv2
