#include "NumEdit/NumEdit_win.h"

namespace cv2 {

HWND CreateNumEdit(HWND parent, int id, DWORD style, DWORD exStyle) {
    return CreateWindowExW(exStyle, L"EDIT", L"", style | WS_CHILD | ES_RIGHT, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace cv2
