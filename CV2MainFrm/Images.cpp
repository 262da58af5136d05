#include "CV2MainFrm/Images.h"

// Placeholder: filled in by the work on this area.
namespace cv2 {

const std::vector<Picture>& MainImages() {
    static const std::vector<Picture> images(kImageCount, Picture{kImageSize, kImageSize,
                                                                  std::vector<std::uint32_t>(kImageSize * kImageSize)});
    return images;
}

}  // namespace cv2
