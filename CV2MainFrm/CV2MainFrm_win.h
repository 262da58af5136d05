#pragma once
#include <windows.h>

namespace cv2 {

// Creates the main window, runs the message loop until it closes; returns the exit code.
int RunMainWindow(HINSTANCE instance, int showCommand);

}  // namespace cv2
