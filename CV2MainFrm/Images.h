#pragma once
// The program's pictures as plain pixels, drawn in the source as small palette-indexed
// maps so that they can be reviewed there.
#include <cstdint>
#include <vector>

namespace cv2 {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // row by row from the top; alpha 0 is transparent
};

inline constexpr int kImageSize = 18;
inline constexpr int kImageCount = 44;

// The 44 images of the shared image list: 0..11 item icons, 12..23 the same with the
// hand holding a pen, 24..43 the toolbar and menu glyphs.
const std::vector<Picture>& MainImages();

}  // namespace cv2
