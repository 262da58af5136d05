#pragma once
// Sizes at the resolution of the monitor a window is on. Every size in the program is
// designed at 96 dots per inch; a window at another resolution multiplies it by dpi / 96,
// rounded to the nearest pixel (halves away from zero, as MulDiv does).
//
// Usage: MainMetrics m = MainMetricsFor(dpi); then m.buttonWidth and so on. Dialogs scale
// their own designed pixels with ScaleForDpi(pixels, dpi).
namespace cv2 {

inline constexpr int kDesignDpi = 96;

// `pixels` designed at 96 dpi, at `dpi`; a resolution of 0 or less counts as 96.
int ScaleForDpi(int pixels, int dpi);

// A size in pixels at `fromDpi` moved to `toDpi` (a window going to another monitor).
int RescaleBetweenDpi(int pixels, int fromDpi, int toDpi);

// The main window's designed sizes at one resolution.
struct MainMetrics {
    int dpi;
    int imageSide;    // the shared image list's pictures
    int buttonWidth;  // a plain tool button
    int buttonHeight;
    int toolBar1Height;
    int toolBar2Height;
    int toolBarWidth;
    int bandWidth;
    int treeIndent;
    int fontHeight;    // the window font, in pixels (character height)
    int statusHeight;  // the status bar's outer height
    int menuImageGap;  // between a menu picture and its caption
    int dragScrollMargin;
    int designLeft;
    int designTop;
    int designWidth;
    int designHeight;
};

MainMetrics MainMetricsFor(int dpi);

}  // namespace cv2
