#pragma once
// Where a window may stand: the display monitors with their work areas, and where a window
// put back in a place from an earlier session is to go.
//
// Usage:
//   Bounds place = FitOnMonitors(stored, captionHeight, DisplayMonitors());  // Monitors_win.h
//   SetWindowPos(hwnd, nullptr, place.left, place.top, place.width, place.height, ...);
#include <vector>

#include "base/Types.h"

namespace cv2 {

struct MonitorArea {
    Bounds monitor;  // the whole screen
    Bounds work;     // what the taskbar and docked bars leave of it
};

// The place for a window that is to stand at `window`, its caption `captionHeight` pixels
// high. It stays as it is while it lies on a monitor and a piece of its caption that can be
// grabbed lies in a work area: half past the screen's edge is where the user may have put it.
// Otherwise (the monitor it stood on is gone, or its caption is off every work area) it moves
// into the work area of the monitor nearest to it, keeping its size where that fits. With no
// monitor known it stays as it is.
Bounds FitOnMonitors(const Bounds& window, int captionHeight, const std::vector<MonitorArea>& monitors);

}  // namespace cv2
