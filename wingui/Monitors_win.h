#pragma once
// The display monitors as the system has them now.
#include <vector>

#include "wingui/Monitors.h"

namespace cv2 {

// Every monitor of the desktop with its work area, in the order the system lists them;
// empty when the system names none.
std::vector<MonitorArea> DisplayMonitors();

}  // namespace cv2
