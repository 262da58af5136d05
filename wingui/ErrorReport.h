#pragma once
// The general error report: the box the user sees when a command gives up or an error
// reaches the edge of a window's or a dialog's handler. The main window's TCV2Frm shows it
// through its Dialogs port; the Win32 windows and dialogs through wingui/ErrorReport_win.h.
#include <string>

#include "base/Types.h"
#include "platform/Dialogs.h"

namespace cv2 {

inline constexpr const char* kErrorReportCaption = "Corvell2！";

// A message box captioned kErrorReportCaption with the error icon and OK, its text the
// message as ErrorReportText (base/ErrorReport.h) finishes it.
void ShowErrorReport(Dialogs& dialogs, WindowHandle owner, const std::string& message);

}  // namespace cv2
