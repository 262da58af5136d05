// Checks of the pixel maps. (To look at the pictures themselves: art_sheet <folder>.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "wingui/Images.h"

namespace cv2 {
namespace {

bool Opaque(std::uint32_t argb) { return (argb >> 24) != 0; }

int OpaqueCount(const Picture& p) {
    int n = 0;
    for (std::uint32_t c : p.argb) {
        n += Opaque(c) ? 1 : 0;
    }
    return n;
}

TEST(Images, MapsAreWellFormed) {
    for (const std::string& problem : PixelMapProblems()) {
        ADD_FAILURE() << problem;
    }
}

TEST(Images, EveryPictureHasEighteenPixelsAndIsDrawnAndDistinct) {
    const auto& images = MainImages();
    ASSERT_EQ(images.size(), 47u);
    std::set<std::vector<std::uint32_t>> seen;
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(images[i].width, 18);
        EXPECT_EQ(images[i].height, 18);
        ASSERT_EQ(images[i].argb.size(), 18u * 18u);
        EXPECT_GT(OpaqueCount(images[i]), 30);
        // Every pixel is fully opaque or fully transparent, and transparent ones are zero,
        // so straight and premultiplied alpha read the same.
        for (std::uint32_t c : images[i].argb) {
            EXPECT_TRUE((c >> 24) == 0xFF || c == 0) << std::hex << c;
        }
        EXPECT_TRUE(seen.insert(images[i].argb).second) << "same picture as an earlier index";
    }
}

TEST(Images, SelectedVariantIsTheItemIconWithTheHandOver) {
    const auto& images = MainImages();
    const Picture& hand = HandOverlay();
    ASSERT_EQ(hand.width, 18);
    ASSERT_EQ(hand.height, 18);
    EXPECT_GT(OpaqueCount(hand), 20);
    for (int i = 0; i < kItemIconCount; ++i) {
        SCOPED_TRACE(i);
        const Picture& base = images[static_cast<std::size_t>(i)];
        const Picture& selected = images[static_cast<std::size_t>(i + kItemIconCount)];
        for (std::size_t p = 0; p < base.argb.size(); ++p) {
            EXPECT_EQ(selected.argb[p], Opaque(hand.argb[p]) ? hand.argb[p] : base.argb[p]) << "pixel " << p;
        }
    }
}

TEST(Images, DialogGlyphsAndIconsAreDrawn) {
    for (int g = 0; g < kGlyphCount; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(WizardGlyph(g).width, 16);
        EXPECT_EQ(WizardGlyph(g).height, 16);
        EXPECT_GT(OpaqueCount(WizardGlyph(g)), 20);
    }
    EXPECT_EQ(WaitDialogImage().width, 16);
    EXPECT_GT(OpaqueCount(WaitDialogImage()), 60);
    EXPECT_EQ(AppIconPicture(32).width, 32);
    EXPECT_EQ(AppIconPicture(16).width, 16);
    EXPECT_GT(OpaqueCount(AppIconPicture(32)), 400);
    EXPECT_GT(OpaqueCount(AppIconPicture(16)), 120);
}

}  // namespace
}  // namespace cv2
