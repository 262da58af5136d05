#include "About/About.h"
#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {

void TCV2Frm::AboutClick() { view_.ShowAboutBox(); }

void TCV2Frm::Help1Click() {
    // The viewer reports a missing help file itself; its result tells nothing more.
    platform_.shell.WinHelp(view_.Handle(), HelpFileOf(platform_.files.ModulePath()), kHelpFinder, 0);
}

}  // namespace cv2
