#include "wingui/ErrorReport_win.h"

#include "platform/Win32Ports.h"
#include "wingui/ErrorReport.h"

namespace cv2 {

void ReportError(HWND owner, const std::string& sjisMessage) {
    auto dialogs = MakeWin32Dialogs();
    ShowErrorReport(*dialogs, reinterpret_cast<WindowHandle>(owner), sjisMessage);
}

}  // namespace cv2
