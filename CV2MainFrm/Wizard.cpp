#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

bool TCV2Frm::RunNewUserWizard(std::wstring&) { return false; }

}  // namespace cv2
