#include "wingui/ErrorReport_win.h"

#include "base/Cp932.h"
#include "base/ErrorReport.h"

namespace cv2 {

void ReportError(HWND owner, const std::string& sjisMessage) {
    MessageBoxW(owner, FromCp932(ErrorReportText(sjisMessage)).c_str(), FromCp932(kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace cv2
