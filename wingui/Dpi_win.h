#pragma once
// The resolution of the monitor a window is on, on every Windows the program runs on.
// GetDpiForWindow and AdjustWindowRectExForDpi exist from Windows 10 1607 on; they are
// looked up at run time so that the program still starts where they are missing, and the
// system resolution stands in for them there.
//
// Usage:
//   int dpi = DpiOfWindow(hwnd);
//   int width = ScaleForDpi(178, dpi);                       // wingui/Dpi.h
//   AdjustWindowRectForDpi(&rect, style, exStyle, dpi);
#include <windows.h>

namespace cv2 {

// The window's resolution in dots per inch; the system's where the platform has no
// per-window one; 96 when nothing can be told.
int DpiOfWindow(HWND hwnd);

// AdjustWindowRectEx with the frame metrics of `dpi` (of the system where that is missing).
bool AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);

// Since Windows 10 1703 the dialog manager rescales a per-monitor dialog itself when it
// changes monitors: its size by the resolution's ratio, its controls by their dialog units,
// its font anew. A dialog that lays itself out in pixels does all of that itself and must
// opt out, or its controls end up scaled twice.
void LeaveDpiChangesToTheDialog(HWND dialog);

}  // namespace cv2
