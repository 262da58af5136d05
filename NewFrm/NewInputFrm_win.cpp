// Placeholder: filled in by the work on this area.
#include "NewFrm/NewInputFrm_win.h"

namespace cv2 {

bool ShowNewInputFrm(HWND, WizardInput&) { return false; }

}  // namespace cv2
