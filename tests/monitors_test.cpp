#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "wingui/Monitors.h"

namespace cv2 {
namespace {

constexpr int kCaption = 30;  // a grip is twice that wide
// A full-HD screen with the taskbar along its bottom, a smaller one to its right whose top
// edges line up, and one to the left of the main one, in negative coordinates.
const MonitorArea kMain{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorArea kRight{{1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}};
const MonitorArea kLeft{{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 984}};

struct Row {
    const char* what;
    std::vector<MonitorArea> monitors;
    Bounds stored;
    Bounds placed;
};

TEST(FitOnMonitors, AWindowStaysWhereItsCaptionCanBeGrabbedAndMovesOnlyOtherwise) {
    const Row rows[] = {
        {"on the screen", {kMain}, {100, 100, 200, 400}, {100, 100, 200, 400}},
        {"off every monitor", {kMain}, {5000, 5000, 200, 400}, {1720, 640, 200, 400}},
        {"half past the right edge", {kMain}, {1820, 100, 200, 400}, {1820, 100, 200, 400}},
        {"only a sliver on the screen", {kMain}, {1900, 100, 200, 400}, {1720, 100, 200, 400}},
        {"caption above the work area", {kMain}, {100, -100, 200, 400}, {100, 0, 200, 400}},
        {"caption a little above", {kMain}, {100, -10, 200, 400}, {100, -10, 200, 400}},
        {"caption behind the taskbar", {kMain}, {100, 1030, 200, 400}, {100, 640, 200, 400}},
        {"larger than the work area", {kMain}, {-50, -50, 3000, 2000}, {0, 0, 1920, 1040}},
        {"across two side by side", {kMain, kRight}, {1850, 100, 200, 400}, {1850, 100, 200, 400}},
        {"below the shorter one: the nearer", {kMain, kRight}, {2000, 1050, 200, 400}, {2000, 624, 200, 400}},
        {"caption above both: the one overlapped most", {kMain, kRight}, {1800, -200, 400, 600}, {1920, 0, 400, 600}},
        {"on the left one", {kLeft, kMain}, {-1000, 200, 200, 400}, {-1000, 200, 200, 400}},
        {"past the left one", {kMain, kLeft}, {-3000, -500, 200, 400}, {-1280, 0, 200, 400}},
        {"no monitor known", {}, {5000, 5000, 200, 400}, {5000, 5000, 200, 400}},
        {"hand-edited extremes", {kMain}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, 0, 1920, 1040}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Bounds placed = FitOnMonitors(row.stored, kCaption, row.monitors);
        EXPECT_EQ(placed, row.placed) << placed.left << "," << placed.top << " " << placed.width << "x"
                                      << placed.height;
    }
}

}  // namespace
}  // namespace cv2
