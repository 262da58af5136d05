#pragma once
// The general error report's text and look, shared by the main window's report and the
// program entry's last resort (an error before the main window exists or after it is gone).
#include <string>

namespace cv2 {

// The application title: the caption of the error report and of the main window.
inline constexpr const char* kAppTitle = "Corvell2！";

// The error's text with "." appended when its last byte sorts above "." (so a message
// ending in a letter or a double-byte character gets a full stop; one ending in "." or
// "!" does not).
std::string ErrorReportText(const std::string& message);

}  // namespace cv2
