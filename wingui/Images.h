#pragma once
// The program's pictures as plain pixels, drawn in the source as small palette-indexed
// maps (wingui/ImageMaps.h) so that they can be reviewed there.
//
// Usage: the Win32 layer turns MainImages() into the shared image list at start
// (wingui/ImageList_win.h); dialogs take their button glyphs from WizardGlyph().
#include <cstdint>
#include <string>
#include <vector>

namespace cv2 {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // row by row from the top; alpha 0 is transparent

    std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y * width + x)]; }
};

inline constexpr int kImageSize = 18;
inline constexpr int kItemIconCount = 12;  // 12..23 are the selected variants of 0..11
inline constexpr int kToolGlyphFirst = 2 * kItemIconCount;
inline constexpr int kToolGlyphCount = 25;  // 24..48
// Then 0..23 again, with the mark of an item that has a way of sending of its own.
inline constexpr int kMarkedIconFirst = kToolGlyphFirst + kToolGlyphCount;
inline constexpr int kImageCount = kMarkedIconFirst + 2 * kItemIconCount;

// The images of the shared image list: 0..11 item icons, 12..23 the same with the hand
// holding a pen, then the toolbar and menu glyphs, then the icons 0..23 marked.
const std::vector<Picture>& MainImages();

// The hand holding a pen that marks a selected item; transparent where it leaves the
// item icon as it is.
const Picture& HandOverlay();

// The mark drawn over the icon of an item with a way of sending of its own, in the corner
// the hand leaves free; transparent elsewhere.
const Picture& SendChoiceMark();

// The image that shows item icon `image` (0..23) with the mark; any other index as it is.
constexpr int MarkedImage(int image) {
    return image >= 0 && image < 2 * kItemIconCount ? kMarkedIconFirst + image : image;
}

// 16 x 16 button glyphs of the wizard; Cancel and OK serve the wait-time dialog too.
enum GlyphKind : int { kGlyphBack = 0, kGlyphNext = 1, kGlyphCancel = 2, kGlyphOk = 3, kGlyphCount = 4 };
inline constexpr int kGlyphSize = 16;
const Picture& WizardGlyph(int which);

// 16 x 16 clock beside the wait-time dialog's input.
const Picture& WaitDialogImage();

// The pointer of a drag that copies: 32 x 32, its hot spot at the top-left pixel.
inline constexpr int kCursorSize = 32;
const Picture& CopyCursorPicture();

// The program's icon as drawn for the .ico file: size 32 or 16 (anything else gives 16).
const Picture& AppIconPicture(int size);

// A picture redrawn at another size by nearest-neighbour sampling: every target pixel takes
// the colour of the source pixel under its centre, so edges stay hard at any scale.
Picture Resampled(const Picture& picture, int width, int height);

// The shared images at `side` x `side` pixels (kImageSize gives MainImages() itself). The
// program's icon is drawn from its 32-pixel map where that size is reached.
std::vector<Picture> MainImagesAt(int side);

// The program's icon at `side` x `side`, from whichever of its maps scales best.
Picture AppIconAt(int side);

// Faults in the pixel maps (ragged rows, wrong sizes, characters missing from the
// palette), one line each; empty when the maps are sound.
std::vector<std::string> PixelMapProblems();

}  // namespace cv2
