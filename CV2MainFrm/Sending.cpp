#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

void TCV2Frm::Timer1Timer() {}
void TCV2Frm::PasteBtnClick() {}
void TCV2Frm::SendText(const std::string&) {}
void TCV2Frm::PressFollowUpKey() {}
void TCV2Frm::UpdateTabEnterButton() {}
void TCV2Frm::ApplyClickMode() {}
void TCV2Frm::TabEnterBtnClick() {}
void TCV2Frm::NoTabEnterClick(int) {}
void TCV2Frm::ClickCheckClick() {}
void TCV2Frm::MainTreeClick() {}
void TCV2Frm::MainTreeDblClick() {}
void TCV2Frm::WriteClipboardText(const std::string&) {}
void TCV2Frm::SendPointerItem() {}

}  // namespace cv2
