#pragma once
#include <windows.h>

#include "platform/Shell.h"

namespace cv2 {

// The about box (TAboutBox), modal; its links go through `shell`.
void ShowAboutBox(HWND owner, Shell& shell);

}  // namespace cv2
