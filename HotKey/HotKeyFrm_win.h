#pragma once
#include <windows.h>

#include "HotKey/HotKeyFrm.h"

namespace cv2 {

// Control identifiers of the hotkey dialog, for its tests: each action's field (a hotkey
// control), its label and its button that clears the field, by action.
inline constexpr int kHotKeyFieldId = 1201;
inline constexpr int kHotKeyLabelId = 1211;
inline constexpr int kHotKeyNoneId = 1221;
inline constexpr int kHotKeyNoteId = 1230;
inline constexpr wchar_t kHotKeyFrmCaption[] = L"ホットキーの設定";

// The hotkey dialog: one field for each action's key, OK and Cancel. True for OK, with the
// keys in `keys`; a set that HotKeySetProblem refuses keeps the dialog open with its message.
bool ShowHotKeyFrm(HWND owner, HotKeySet& keys);

}  // namespace cv2
