#include "wingui/Images.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "wingui/ImageMaps.h"

namespace cv2 {
namespace {

using maps::Swatch;

// One pixel map with the colours it adds to (or overrides in) the shared palette.
struct MapRef {
    const char* name;
    std::span<const char* const> rows;
    std::span<const Swatch> local;
    int size;  // the width and height it must have
};

constexpr std::span<const Swatch> kNoLocal{};

// Item icons 0..11; the five pencils share one drawing and differ only in their ink.
const MapRef kItemMaps[kItemIconCount] = {
    {"blue pencil", maps::kPencil, maps::kBlueInk, kImageSize},
    {"pink pencil", maps::kPencil, maps::kPinkInk, kImageSize},
    {"orange pencil", maps::kPencil, maps::kOrangeInk, kImageSize},
    {"yellow pencil", maps::kPencil, maps::kYellowInk, kImageSize},
    {"green pencil", maps::kPencil, maps::kGreenInk, kImageSize},
    {"post box", maps::kPostBox, kNoLocal, kImageSize},
    {"house", maps::kHouse, kNoLocal, kImageSize},
    {"man", maps::kMan, kNoLocal, kImageSize},
    {"woman", maps::kWoman, kNoLocal, kImageSize},
    {"telephone", maps::kTelephone, kNoLocal, kImageSize},
    {"fax", maps::kFax, kNoLocal, kImageSize},
    {"mail", maps::kMail, kNoLocal, kImageSize},
};

constexpr int kToolFirst = kToolGlyphFirst;
constexpr int kAppIconIndex = 41;

// Toolbar and menu glyphs from 24; image 41 is the program's 16 x 16 icon (nullptr here).
const MapRef kToolMaps[kToolGlyphCount] = {
    {"No", maps::kNo, kNoLocal, kImageSize},
    {"Tab", maps::kTab, kNoLocal, kImageSize},
    {"Enter", maps::kEnter, kNoLocal, kImageSize},
    {"open", maps::kOpenFolder, kNoLocal, kImageSize},
    {"save", maps::kFloppy, kNoLocal, kImageSize},
    {"new", maps::kNewSheet, kNoLocal, kImageSize},
    {"paste", maps::kPasteInto, kNoLocal, kImageSize},
    {"toolbar 2", maps::kWindowPlus, kNoLocal, kImageSize},
    {"resize", maps::kResize, kNoLocal, kImageSize},
    {"add", maps::kAddItem, kNoLocal, kImageSize},
    {"add child", maps::kAddChild, kNoLocal, kImageSize},
    {"expand all", maps::kExpandAll, kNoLocal, kImageSize},
    {"collapse all", maps::kCollapseAll, kNoLocal, kImageSize},
    {"edit", maps::kEditText, kNoLocal, kImageSize},
    {"delete", maps::kDelete, kNoLocal, kImageSize},
    {"delete all", maps::kDeleteAll, kNoLocal, kImageSize},
    {"help", maps::kHelpBook, kNoLocal, kImageSize},
    {"about", {}, kNoLocal, kImageSize},
    {"pictures", maps::kPictures, kNoLocal, kImageSize},
    {"single click", maps::kMouseOne, kNoLocal, kImageSize},
    {"convert", maps::kConvertText, kNoLocal, kImageSize},
    {"group send", maps::kGroupSend, kNoLocal, kImageSize},
    {"hotkeys", maps::kHotKeyCap, kNoLocal, kImageSize},
    {"undo", maps::kUndoArrow, kNoLocal, kImageSize},
    {"redo", maps::kRedoArrow, kNoLocal, kImageSize},
};

const MapRef kGlyphMaps[kGlyphCount] = {
    {"back", maps::kBackGlyph, kNoLocal, kGlyphSize},
    {"next", maps::kNextGlyph, kNoLocal, kGlyphSize},
    {"cancel", maps::kCancelGlyph, kNoLocal, kGlyphSize},
    {"ok", maps::kOkGlyph, kNoLocal, kGlyphSize},
};

const MapRef kHandMap{"hand", maps::kHandWithPen, kNoLocal, kImageSize};
const MapRef kMarkMap{"send choice mark", maps::kSendChoiceMark, kNoLocal, kImageSize};
const MapRef kClockMap{"clock", maps::kClock, kNoLocal, kGlyphSize};
const MapRef kIcon32Map{"icon 32", maps::kAppIcon32, kNoLocal, 32};
const MapRef kIcon16Map{"icon 16", maps::kAppIcon16, kNoLocal, 16};
const MapRef kCopyCursorMap{"copy cursor", maps::kCopyCursor, kNoLocal, kCursorSize};

// A colour from the map's own swatches first, then from the shared palette.
bool FindColour(char key, std::span<const Swatch> local, std::uint32_t& argb) {
    for (const Swatch& s : local) {
        if (s.key == key) {
            argb = s.argb;
            return true;
        }
    }
    for (const Swatch& s : maps::kPalette) {
        if (s.key == key) {
            argb = s.argb;
            return true;
        }
    }
    return false;
}

// Unknown characters come out transparent; PixelMapProblems reports them.
Picture Decode(const MapRef& map) {
    Picture picture{map.size, map.size, std::vector<std::uint32_t>(static_cast<std::size_t>(map.size * map.size))};
    const int rowCount = std::min(static_cast<int>(map.rows.size()), map.size);
    for (int y = 0; y < rowCount; ++y) {
        const char* row = map.rows[static_cast<std::size_t>(y)];
        const int length = std::min(static_cast<int>(std::strlen(row)), map.size);
        for (int x = 0; x < length; ++x) {
            std::uint32_t argb = 0;
            if (FindColour(row[x], map.local, argb)) {
                picture.argb[static_cast<std::size_t>(y * map.size + x)] = argb;
            }
        }
    }
    return picture;
}

// The overlay's opaque pixels replace the base's.
Picture Overlay(const Picture& base, const Picture& top) {
    Picture result = base;
    for (std::size_t i = 0; i < result.argb.size() && i < top.argb.size(); ++i) {
        if ((top.argb[i] >> 24) != 0) {
            result.argb[i] = top.argb[i];
        }
    }
    return result;
}

// A smaller picture centred on a transparent square.
Picture Centre(const Picture& small, int size) {
    Picture result{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
    const int left = (size - small.width) / 2;
    const int top = (size - small.height) / 2;
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            result.argb[static_cast<std::size_t>((y + top) * size + x + left)] = small.At(x, y);
        }
    }
    return result;
}

std::vector<Picture> BuildMainImages() {
    std::vector<Picture> images;
    images.reserve(kImageCount);
    for (const MapRef& map : kItemMaps) {
        images.push_back(Decode(map));
    }
    for (int i = 0; i < kItemIconCount; ++i) {
        images.push_back(Overlay(images[static_cast<std::size_t>(i)], HandOverlay()));
    }
    for (int i = kToolFirst; i < kMarkedIconFirst; ++i) {
        images.push_back(i == kAppIconIndex ? Centre(AppIconPicture(16), kImageSize)
                                            : Decode(kToolMaps[i - kToolFirst]));
    }
    // Drawn into the list rather than laid over as the tree's overlay image: Wine's image lists
    // leave an overlay out of a picture with alpha, and without alpha cut it to the outline of
    // the picture below.
    for (int i = 0; i < 2 * kItemIconCount; ++i) {
        images.push_back(Overlay(images[static_cast<std::size_t>(i)], SendChoiceMark()));
    }
    return images;
}

void CheckMap(const MapRef& map, std::vector<std::string>& problems) {
    const std::string name = map.name;
    if (static_cast<int>(map.rows.size()) != map.size) {
        problems.push_back(name + ": " + std::to_string(map.rows.size()) + " rows instead of " +
                           std::to_string(map.size));
    }
    for (std::size_t y = 0; y < map.rows.size(); ++y) {
        const std::string row = map.rows[y];
        if (static_cast<int>(row.size()) != map.size) {
            problems.push_back(name + ": row " + std::to_string(y) + " is " + std::to_string(row.size()) +
                               " wide instead of " + std::to_string(map.size));
        }
        for (char c : row) {
            std::uint32_t argb = 0;
            if (!FindColour(c, map.local, argb)) {
                problems.push_back(name + ": row " + std::to_string(y) + " has '" + std::string(1, c) +
                                   "', which is not in the palette");
            }
        }
    }
}

}  // namespace

const std::vector<Picture>& MainImages() {
    static const std::vector<Picture> images = BuildMainImages();
    return images;
}

const Picture& HandOverlay() {
    static const Picture hand = Decode(kHandMap);
    return hand;
}

const Picture& SendChoiceMark() {
    static const Picture mark = Decode(kMarkMap);
    return mark;
}

const Picture& WizardGlyph(int which) {
    static const std::vector<Picture> glyphs = [] {
        std::vector<Picture> all;
        for (const MapRef& map : kGlyphMaps) {
            all.push_back(Decode(map));
        }
        return all;
    }();
    return glyphs[static_cast<std::size_t>(which >= 0 && which < kGlyphCount ? which : kGlyphOk)];
}

const Picture& WaitDialogImage() {
    static const Picture clock = Decode(kClockMap);
    return clock;
}

const Picture& AppIconPicture(int size) {
    static const Picture large = Decode(kIcon32Map);
    static const Picture small = Decode(kIcon16Map);
    return size == 32 ? large : small;
}

const Picture& CopyCursorPicture() {
    static const Picture cursor = Decode(kCopyCursorMap);
    return cursor;
}

Picture Resampled(const Picture& picture, int width, int height) {
    Picture result;
    if (width <= 0 || height <= 0) return result;
    result = Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height))};
    if (picture.width <= 0 || picture.height <= 0) return result;
    for (int y = 0; y < height; ++y) {
        // The source pixel under the centre of target pixel y: floor((y + 1/2) * h / height).
        const int sy = static_cast<int>((2LL * y + 1) * picture.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * picture.width / (2LL * width));
            result.argb[static_cast<std::size_t>(y * width + x)] = picture.At(sx, sy);
        }
    }
    return result;
}

Picture AppIconAt(int side) {
    // Upscaling the 16-pixel drawing would repeat its coarse steps; the 32-pixel one has
    // the detail for every size from 24 up, and is exact at 32.
    const Picture& source = side >= 24 ? AppIconPicture(32) : AppIconPicture(16);
    return side == source.width ? source : Resampled(source, side, side);
}

std::vector<Picture> MainImagesAt(int side) {
    const std::vector<Picture>& designed = MainImages();
    if (side == kImageSize) return designed;
    std::vector<Picture> images;
    images.reserve(designed.size());
    for (std::size_t i = 0; i < designed.size(); ++i) {
        if (static_cast<int>(i) == kAppIconIndex) {
            // The icon keeps its designed margin: 16 of 18 pixels.
            const int iconSide = (side * 16 + kImageSize / 2) / kImageSize;
            images.push_back(Centre(AppIconAt(iconSide), side));
        } else {
            images.push_back(Resampled(designed[i], side, side));
        }
    }
    return images;
}

std::vector<std::string> PixelMapProblems() {
    std::vector<std::string> problems;
    for (const MapRef& map : kItemMaps) {
        CheckMap(map, problems);
    }
    for (int i = kToolFirst; i < kMarkedIconFirst; ++i) {
        if (i != kAppIconIndex) {
            CheckMap(kToolMaps[i - kToolFirst], problems);
        }
    }
    for (const MapRef& map : kGlyphMaps) {
        CheckMap(map, problems);
    }
    for (const MapRef* map : {&kHandMap, &kMarkMap, &kClockMap, &kIcon32Map, &kIcon16Map, &kCopyCursorMap}) {
        CheckMap(*map, problems);
    }
    return problems;
}

}  // namespace cv2
