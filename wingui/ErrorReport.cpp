#include "wingui/ErrorReport.h"

#include "base/ErrorReport.h"

namespace cv2 {

void ShowErrorReport(Dialogs& dialogs, WindowHandle owner, const std::string& message) {
    dialogs.MessageBox(owner, ErrorReportText(message), kErrorReportCaption, kMbOk | kMbIconError);
}

}  // namespace cv2
