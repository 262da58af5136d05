#pragma once
#include <windows.h>
#include <commctrl.h>

namespace cv2 {

// The shared image list of 44 images of 18 x 18 pixels (32-bit with alpha).
HIMAGELIST CreateMainImageList();

}  // namespace cv2
