#pragma once
#include <windows.h>

#include "CV2MainFrm/MainView.h"

namespace cv2 {

// The new-user wizard (TNewInputFrm), modal; true for OK, with every field in `input`.
bool ShowNewInputFrm(HWND owner, WizardInput& input);

}  // namespace cv2
