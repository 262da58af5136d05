#include "CV2MainFrm/CV2MainFrm.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

void TCV2Frm::AddNodeMenuClick() {}
void TCV2Frm::AddChildMenuClick() {}
void TCV2Frm::DelNodeMenuClick() {}
void TCV2Frm::AllDelNodeMenuClick() {}
void TCV2Frm::EditTextMenuClick() {}
std::string TCV2Frm::MainTreeEdited(Item*, const std::string& newText) { return newText; }
void TCV2Frm::FullExpandMenuClick() {}
void TCV2Frm::FullCollapseMenuClick() {}
void TCV2Frm::Im11Click(int) {}
bool TCV2Frm::MainTreeDragOver(bool) { return false; }
void TCV2Frm::MainTreeDragDrop(int, int) {}
void TCV2Frm::MainTreeMouseMove(int, int) {}
bool TCV2Frm::MainTreeExpanding(Item*) { return expandAllowed; }
bool TCV2Frm::MainTreeCollapsing(Item*) { return expandAllowed; }
void TCV2Frm::MainTreeMouseDown(MouseButton, bool, int, int) {}

}  // namespace cv2
