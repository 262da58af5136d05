#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

void TCV2Frm::SaveSettings(const std::wstring&) {}
void TCV2Frm::LoadSettings(const std::wstring&) {}
std::string TCV2Frm::BuildExpandList() { return "No"; }
void TCV2Frm::LoadItemImages() {}
void TCV2Frm::FormDestroy() {}

}  // namespace cv2
