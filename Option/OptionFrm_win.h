#pragma once
#include <windows.h>

#include <string>

namespace cv2 {

// Control identifiers of the wait-time dialog, for its tests.
inline constexpr int kOptionNumEdit1Id = 101;
inline constexpr int kOptionImage1Id = 102;
inline constexpr int kOptionLabel1Id = 103;
inline constexpr int kOptionLabel2Id = 104;
inline constexpr wchar_t kOptionFrmCaption[] = L"Wait設定";

// The wait-time dialog (TOptionFrm): shows `text` in NumEdit1; true for OK, with the
// field's text (not yet converted) in `text`.
bool ShowOptionFrm(HWND owner, std::string& text);

}  // namespace cv2
