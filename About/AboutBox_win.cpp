// Placeholder: filled in by the work on this area.
#include "About/AboutBox_win.h"

namespace cv2 {

void ShowAboutBox(HWND, Shell&) {}

}  // namespace cv2
