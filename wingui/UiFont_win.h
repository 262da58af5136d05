#pragma once
// The program's one user-interface font, for the main window and every dialog:
// "ＭＳ Ｐゴシック" where it is installed, else the first installed of the Japanese
// proportional faces that look like it, else whatever Shift-JIS face the font mapper
// picks. The face is chosen once per run.
//
// Usage:
//   UniqueFont font = CreateUiFont(ScaleForDpi(12, dpi));             // 9 points at 96 dpi
//   UniqueFont title = CreateUiFont(ScaleForDpi(19, dpi), {FW_BOLD, true});
#include <windows.h>

#include "platform/Handle_win.h"

namespace cv2 {

// The designed character height of the dialogs' and the main window's text (9 points).
inline constexpr int kUiFontPixels = 12;

struct UiFontLook {
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
};

// The face CreateUiFont uses; "" when none of the listed faces is installed.
const wchar_t* UiFontFace();

// The font with a character height of `pixels` (at the resolution it is for).
UniqueFont CreateUiFont(int pixels, UiFontLook look = {});

}  // namespace cv2
