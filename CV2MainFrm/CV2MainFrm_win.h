#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace cv2 {

struct Platform;
class Ime;

// Creates the main window, runs the message loop until it closes; returns the exit code.
// `args` are the command-line arguments after the program's own name. The window works
// through the ports it is given (the program's entry makes them).
int RunMainWindow(HINSTANCE instance, int showCommand, const std::vector<std::wstring>& args, Platform& platform,
                  Ime& ime);

}  // namespace cv2
