#pragma once
// The process's command-line arguments after the program's own name, split the way the
// system splits them (quotes group, backslashes before quotes escape).
#include <string>
#include <vector>

namespace cv2 {

std::vector<std::wstring> CommandLineArguments();

}  // namespace cv2
