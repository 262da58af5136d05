// Placeholder: filled in by the work on this area.
#include "CV2MainFrm/ImageList_win.h"

namespace cv2 {

HIMAGELIST CreateMainImageList() { return ImageList_Create(18, 18, ILC_COLOR32, 44, 0); }

}  // namespace cv2
