// Placeholder: filled in by the work on this area.
#include "Option/OptionFrm_win.h"

namespace cv2 {

bool ShowOptionFrm(HWND, std::string&) { return false; }

}  // namespace cv2
