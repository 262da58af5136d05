#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

bool TCV2Frm::QuerySaveChanges() { return true; }
void TCV2Frm::SaveBtnClick() {}
void TCV2Frm::OpenBtnClick() {}
void TCV2Frm::NewBtnClick() {}
bool TCV2Frm::FormCloseQuery() { return QuerySaveChanges(); }
bool TCV2Frm::RunOpenDialog(std::wstring&) { return false; }
bool TCV2Frm::RunSaveDialog(std::wstring&) { return false; }

}  // namespace cv2
