#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

void TCV2Frm::AboutClick() {}
void TCV2Frm::Help1Click() {}

}  // namespace cv2
