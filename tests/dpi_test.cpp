// Sizes and pictures at other resolutions than the designed 96 dpi.
#include <gtest/gtest.h>

#include <set>

#include "wingui/Dpi.h"
#include "wingui/Images.h"

namespace cv2 {
namespace {

TEST(Dpi, ScalingRoundsToTheNearestPixelLikeMulDiv) {
    EXPECT_EQ(ScaleForDpi(18, 96), 18);
    EXPECT_EQ(ScaleForDpi(18, 144), 27);
    EXPECT_EQ(ScaleForDpi(18, 192), 36);
    EXPECT_EQ(ScaleForDpi(25, 144), 38);    // 37.5: halves go up
    EXPECT_EQ(ScaleForDpi(19, 120), 24);    // 23.75
    EXPECT_EQ(ScaleForDpi(21, 120), 26);    // 26.25
    EXPECT_EQ(ScaleForDpi(-25, 144), -38);  // and away from zero below it
    EXPECT_EQ(ScaleForDpi(0, 144), 0);
    // A resolution that the platform could not tell counts as the designed one.
    EXPECT_EQ(ScaleForDpi(25, 0), 25);
    EXPECT_EQ(ScaleForDpi(25, -1), 25);
    // Window geometry in physical pixels is large; the product must not overflow.
    EXPECT_EQ(ScaleForDpi(30000000, 480), 150000000);
}

TEST(Dpi, MovingBetweenMonitorsRescalesFromTheOldResolution) {
    EXPECT_EQ(RescaleBetweenDpi(267, 144, 96), 178);
    EXPECT_EQ(RescaleBetweenDpi(178, 96, 144), 267);
    EXPECT_EQ(RescaleBetweenDpi(300, 144, 144), 300);
    EXPECT_EQ(RescaleBetweenDpi(300, 0, 192), 600);
}

TEST(Dpi, MainWindowMetricsAreTheDesignAtNinetySixAndOneAndAHalfTimesItAtOneFortyFour) {
    MainMetrics design = MainMetricsFor(96);
    EXPECT_EQ(design.imageSide, kImageSize);
    EXPECT_EQ(design.buttonWidth, 25);
    EXPECT_EQ(design.buttonHeight, 24);
    EXPECT_EQ(design.toolBar1Height, 26);
    EXPECT_EQ(design.bandWidth, 166);
    EXPECT_EQ(design.treeIndent, 21);
    EXPECT_EQ(design.fontHeight, 12);
    EXPECT_EQ(design.statusHeight, 19);
    EXPECT_EQ(design.designWidth, 178);
    EXPECT_EQ(design.designHeight, 388);

    MainMetrics large = MainMetricsFor(144);
    EXPECT_EQ(large.dpi, 144);
    EXPECT_EQ(large.imageSide, 27);
    EXPECT_EQ(large.buttonWidth, 38);
    EXPECT_EQ(large.buttonHeight, 36);
    EXPECT_EQ(large.toolBar1Height, 39);
    EXPECT_EQ(large.treeIndent, 32);
    EXPECT_EQ(large.fontHeight, 18);
    EXPECT_EQ(large.statusHeight, 29);
    EXPECT_EQ(large.designWidth, 267);
    EXPECT_EQ(large.designHeight, 582);
    EXPECT_EQ(MainMetricsFor(192).imageSide, 36);
    EXPECT_EQ(MainMetricsFor(0).imageSide, kImageSize);
}

// A 3 x 2 picture with a distinct colour in every pixel.
Picture Sample() {
    Picture p{3, 2, {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u, 0xFF000005u, 0x00000000u}};
    return p;
}

TEST(Dpi, ResamplingRepeatsWholePixelsAndInventsNoColour) {
    Picture source = Sample();
    Picture doubled = Resampled(source, 6, 4);
    ASSERT_EQ(doubled.argb.size(), 24u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(doubled.At(x, y), source.At(x / 2, y / 2)) << x << "," << y;

    // One and a half times: pixels come out one or two wide, in order, none lost.
    Picture wide = Resampled(source, 5, 2);
    std::vector<std::uint32_t> firstRow(wide.argb.begin(), wide.argb.begin() + 5);
    EXPECT_EQ(firstRow, (std::vector<std::uint32_t>{0xFF000001u, 0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000003u}));

    EXPECT_EQ(Resampled(source, 3, 2).argb, source.argb);
    EXPECT_TRUE(Resampled(source, 0, 5).argb.empty());
    EXPECT_TRUE(Resampled(Picture{}, 2, 2).argb == std::vector<std::uint32_t>(4, 0u));
}

TEST(Dpi, MainImagesAtEachScaleAreCrispCopiesOfTheDesign) {
    const std::vector<Picture>& design = MainImages();
    for (int side : {27, 36}) {
        SCOPED_TRACE(side);
        std::vector<Picture> images = MainImagesAt(side);
        ASSERT_EQ(images.size(), design.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            SCOPED_TRACE(i);
            ASSERT_EQ(images[i].width, side);
            ASSERT_EQ(images[i].height, side);
            ASSERT_EQ(images[i].argb.size(), static_cast<std::size_t>(side * side));
            // Nothing blurred: every colour is one the picture has at its design size
            // (the icon is drawn from its larger map, whose colours are its own).
            std::set<std::uint32_t> designed(design[i].argb.begin(), design[i].argb.end());
            if (i == 41) designed.insert(AppIconPicture(32).argb.begin(), AppIconPicture(32).argb.end());
            for (std::uint32_t c : images[i].argb) ASSERT_TRUE(designed.count(c)) << std::hex << c;
        }
    }
    // At 200 % each designed pixel becomes a 2 x 2 block.
    std::vector<Picture> doubled = MainImagesAt(36);
    for (std::size_t i = 0; i < design.size(); ++i) {
        if (i == 41) continue;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 36; ++x) ASSERT_EQ(doubled[i].At(x, y), design[i].At(x / 2, y / 2)) << i;
    }
    EXPECT_EQ(MainImagesAt(kImageSize).size(), design.size());
}

TEST(Dpi, TheIconIsDrawnFromItsLargeMapWhereThatFits) {
    // At 200 % the icon's 32-pixel drawing appears exactly, centred with a 2-pixel margin.
    Picture icon = MainImagesAt(36)[41];
    const Picture& large = AppIconPicture(32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.At(x + 2, y + 2), large.At(x, y));
    for (int x = 0; x < 36; ++x) EXPECT_EQ(icon.At(x, 0) >> 24, 0u);
    EXPECT_EQ(AppIconAt(16).argb, AppIconPicture(16).argb);
    EXPECT_EQ(AppIconAt(48).width, 48);
}

}  // namespace
}  // namespace cv2
