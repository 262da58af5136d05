#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

void TCV2Frm::FormCreate(const std::vector<std::wstring>&) {}
void TCV2Frm::FormShow() {}

}  // namespace cv2
