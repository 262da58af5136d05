#include "wingui/Monitors_win.h"

#include <windows.h>

namespace cv2 {
namespace {

Bounds BoundsOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(param)->push_back(
            {BoundsOf(info.rcMonitor), BoundsOf(info.rcWork)});
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> DisplayMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace cv2
