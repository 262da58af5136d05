#include "About/About.h"
#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {

void TCV2Frm::AboutClick() { view_.ShowAboutBox(); }

void TCV2Frm::Help1Click() {
    const std::wstring executable = platform_.files.ModulePath();
    const std::wstring helpFile = HelpFileOf(executable);
    if (platform_.files.FileExists(helpFile)) {
        // The viewer reports its own problems; its result tells nothing more.
        platform_.shell.WinHelp(view_.Handle(), helpFile, kHelpFinder, 0);
        return;
    }
    const std::wstring guide = GuideFileOf(executable);
    if (!platform_.files.FileExists(guide)) {
        ReportError(kHelpMissing);
        return;
    }
    // The shell answers 0..32 when it found no program for the page or could not start it.
    if (platform_.shell.OpenDocument(view_.Handle(), guide) <= 32) ReportError(kHelpNotOpened);
}

}  // namespace cv2
