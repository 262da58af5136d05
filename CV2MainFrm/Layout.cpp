#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

int TCV2Frm::MinimumWidth() { return 0; }
int TCV2Frm::CompactClientHeight() { return 0; }
void TCV2Frm::FormResize() {}
void TCV2Frm::ShowToolBar2BtnClick() {}
void TCV2Frm::ResizeBtnClick() {}
NodeMenuVisibility TCV2Frm::NodePopupPopup() { return {}; }

}  // namespace cv2
