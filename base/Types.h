#pragma once
#include <cstdint>

namespace cv2 {

// An opaque handle of a top-level or child window; 0 is null. It may name a window that
// no longer exists.
using WindowHandle = std::uintptr_t;

// A rectangle on the screen (a window's outer bounds, a monitor, a work area), in pixels.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Date {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend bool operator==(const Date&, const Date&) = default;
};

}  // namespace cv2
