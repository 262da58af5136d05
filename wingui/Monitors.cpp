#include "wingui/Monitors.h"

#include <algorithm>
#include <cstdint>

namespace cv2 {
namespace {

// Edges in 64 bits: a hand-edited settings file may hold any 32-bit place and size.
struct Edges {
    std::int64_t left, top, right, bottom;
    std::int64_t Width() const { return std::max<std::int64_t>(0, right - left); }
    std::int64_t Height() const { return std::max<std::int64_t>(0, bottom - top); }
    std::int64_t Area() const { return Width() * Height(); }
};

Edges EdgesOf(const Bounds& b) {
    return {b.left, b.top, std::int64_t{b.left} + std::max(0, b.width), std::int64_t{b.top} + std::max(0, b.height)};
}

Edges Overlap(const Edges& a, const Edges& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Squared distance between two rectangles that do not overlap; 0 when they touch or do.
std::int64_t DistanceSquared(const Edges& a, const Edges& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max<std::int64_t>({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

// Wide enough to take hold of with the mouse beside the caption's buttons: twice the
// caption's height, or the whole caption of a narrower window.
bool CaptionWithinReach(const Edges& window, int captionHeight, const std::vector<MonitorArea>& monitors) {
    const Edges caption{window.left, window.top, window.right, window.top + std::max(1, captionHeight)};
    const std::int64_t grip = std::min<std::int64_t>(caption.Width(), 2 * std::int64_t{captionHeight});
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& m) {
        const Edges inside = Overlap(caption, EdgesOf(m.work));
        return inside.Area() > 0 && inside.Width() >= grip && 2 * inside.Height() >= caption.Height();
    });
}

// The monitor MonitorFromRect would name: the one the window overlaps most, else the nearest.
const MonitorArea& Nearest(const Edges& window, const std::vector<MonitorArea>& monitors) {
    const MonitorArea* best = &monitors.front();
    std::int64_t bestArea = -1, bestDistance = 0;
    for (const MonitorArea& m : monitors) {
        const Edges screen = EdgesOf(m.monitor);
        const std::int64_t area = Overlap(window, screen).Area();
        const std::int64_t distance = DistanceSquared(window, screen);
        const bool better = bestArea < 0 || area > bestArea || (area == 0 && bestArea == 0 && distance < bestDistance);
        if (better) best = &m, bestArea = area, bestDistance = distance;
    }
    return *best;
}

}  // namespace

Bounds FitOnMonitors(const Bounds& window, int captionHeight, const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return window;
    const Edges edges = EdgesOf(window);
    const bool onSomeMonitor = std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& m) {
        return Overlap(edges, EdgesOf(m.monitor)).Area() > 0;
    });
    if (onSomeMonitor && CaptionWithinReach(edges, captionHeight, monitors)) return window;

    const Bounds work = Nearest(edges, monitors).work;
    Bounds place;
    place.width = std::clamp(window.width, 0, std::max(0, work.width));
    place.height = std::clamp(window.height, 0, std::max(0, work.height));
    place.left = std::clamp(window.left, work.left, work.left + std::max(0, work.width) - place.width);
    place.top = std::clamp(window.top, work.top, work.top + std::max(0, work.height) - place.height);
    return place;
}

}  // namespace cv2
