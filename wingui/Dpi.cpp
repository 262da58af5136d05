#include "wingui/Dpi.h"

#include <cstdint>

namespace cv2 {
namespace {

int RoundedRatio(int pixels, int numerator, int denominator) {
    // MulDiv: the exact product in 64 bits, rounded half away from zero.
    const std::int64_t product = static_cast<std::int64_t>(pixels) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

int ScaleForDpi(int pixels, int dpi) { return RescaleBetweenDpi(pixels, kDesignDpi, dpi); }

int RescaleBetweenDpi(int pixels, int fromDpi, int toDpi) {
    if (fromDpi <= 0) fromDpi = kDesignDpi;
    if (toDpi <= 0) toDpi = kDesignDpi;
    if (fromDpi == toDpi) return pixels;
    return RoundedRatio(pixels, toDpi, fromDpi);
}

MainMetrics MainMetricsFor(int dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    return MainMetrics{
        dpi,
        s(18),   // images
        s(25),   // button width
        s(24),   // button height
        s(26),   // first toolbar
        s(24),   // second toolbar
        s(153),  // toolbar width
        s(166),  // band width
        s(21),   // tree indent
        s(12),   // font
        s(19),   // status bar
        s(3),    // menu picture gap
        s(8),    // drag scroll margin
        s(184), s(107), s(178), s(388),
    };
}

}  // namespace cv2
