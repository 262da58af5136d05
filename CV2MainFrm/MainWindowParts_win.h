#pragma once
// What the main window's files share: control ids, its timer, and small helpers.
#include <windows.h>

#include "base/Types.h"
#include "tree/ItemTree.h"

namespace cv2::mainwindow {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 500;
constexpr UINT_PTR kRecoveryTimerId = 2;
constexpr UINT kResumeRedrawMessage = WM_APP + 1;
constexpr int kTreeId = 10;
constexpr int kStatusId = 11;
constexpr int kRebarId = 12;
// Sizes in pixels come from MainMetricsFor (wingui/Dpi.h) at the window's resolution.

inline WindowHandle ToHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

inline int Height(const RECT& r) { return r.bottom - r.top; }
inline int Width(const RECT& r) { return r.right - r.left; }

// The next item in pre-order inside the subtree of `root`, or null after its last item.
inline Item* NextInSubtree(Item* n, const Item* root) {
    if (n->FirstChild()) return n->FirstChild();
    for (; n && n != root; n = n->Parent())
        if (n->NextSibling()) return n->NextSibling();
    return nullptr;
}

}  // namespace cv2::mainwindow
