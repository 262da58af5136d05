#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace cv2 {

// Creates the main window, runs the message loop until it closes; returns the exit code.
// `args` are the command-line arguments after the program's own name; the overload
// without them takes them from the process command line.
int RunMainWindow(HINSTANCE instance, int showCommand, const std::vector<std::wstring>& args);

}  // namespace cv2
