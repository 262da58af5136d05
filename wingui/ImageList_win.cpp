#include "wingui/ImageList_win.h"

#include <cstring>

#include "platform/Handle_win.h"

namespace cv2 {
namespace {

// A top-down 32-bit DIB section holding the pixels, premultiplied by their alpha, and
// optionally the matching monochrome mask (set bits are transparent).
HBITMAP MakeColourBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

std::uint32_t Premultiplied(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 0xFF) {
        return argb;
    }
    auto channel = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) | channel(argb & 0xFF);
}

// Copies a picture into a row of pixels `stride` wide at column `left`.
void CopyInto(const Picture& picture, std::uint32_t* pixels, int stride, int left) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            pixels[y * stride + left + x] = Premultiplied(picture.At(x, y));
        }
    }
}

// Monochrome bitmap rows are padded to 16 bits.
HBITMAP MakeMask(const std::vector<const Picture*>& pictures, int width, int height) {
    const int rowBytes = ((width + 15) / 16) * 2;
    std::vector<unsigned char> bits(static_cast<std::size_t>(rowBytes * height), 0);
    int left = 0;
    for (const Picture* picture : pictures) {
        for (int y = 0; y < picture->height; ++y) {
            for (int x = 0; x < picture->width; ++x) {
                if ((picture->At(x, y) >> 24) < 0x80) {
                    const int column = left + x;
                    bits[static_cast<std::size_t>(y * rowBytes + column / 8)] |=
                        static_cast<unsigned char>(0x80 >> (column % 8));
                }
            }
        }
        left += picture->width;
    }
    return CreateBitmap(width, height, 1, 1, bits.data());
}

// A glyph grey and faded, as a disabled button shows it.
Picture Greyed(const Picture& picture) {
    Picture grey = picture;
    for (std::uint32_t& px : grey.argb) {
        std::uint32_t a = px >> 24, r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
        std::uint32_t y = (r * 30 + g * 59 + b * 11) / 100;
        y = 128 + y / 2;
        px = ((a / 2) << 24) | (y << 16) | (y << 8) | y;
    }
    return grey;
}

}  // namespace

HIMAGELIST CreateMainImageList(int side) {
    if (side <= 0) {
        side = kImageSize;
    }
    const std::vector<Picture> images = MainImagesAt(side);
    const int count = static_cast<int>(images.size());
    UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, count, 4));
    if (!list) {
        return nullptr;
    }
    // One strip of all pictures side by side, added in one call.
    void* bits = nullptr;
    UniqueBitmap colour(MakeColourBitmap(side * count, side, &bits));
    std::vector<const Picture*> pictures;
    for (const Picture& picture : images) {
        pictures.push_back(&picture);
    }
    UniqueBitmap mask(MakeMask(pictures, side * count, side));
    if (!colour || !mask) {
        return nullptr;
    }
    for (int i = 0; i < count; ++i) {
        CopyInto(images[static_cast<std::size_t>(i)], static_cast<std::uint32_t*>(bits), side * count, i * side);
    }
    if (ImageList_Add(list.get(), colour.get(), mask.get()) != 0 || ImageList_GetImageCount(list.get()) != count) {
        return nullptr;
    }
    return list.release();
}

HBITMAP CreatePictureBitmap(const Picture& picture) {
    void* bits = nullptr;
    HBITMAP bitmap = MakeColourBitmap(picture.width, picture.height, &bits);
    if (bitmap != nullptr) {
        CopyInto(picture, static_cast<std::uint32_t*>(bits), picture.width, 0);
        GdiFlush();
    }
    return bitmap;
}

namespace {

HICON CreateIconOrCursor(const Picture& picture, bool icon, int hotX, int hotY) {
    UniqueBitmap colour(CreatePictureBitmap(picture));
    UniqueBitmap mask(MakeMask({&picture}, picture.width, picture.height));
    if (!colour || !mask) {
        return nullptr;
    }
    ICONINFO info{};
    info.fIcon = icon ? TRUE : FALSE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    // The icon holds copies of both bitmaps.
    return CreateIconIndirect(&info);
}

}  // namespace

HICON CreatePictureIcon(const Picture& picture) { return CreateIconOrCursor(picture, true, 0, 0); }

HCURSOR CreatePictureCursor(const Picture& picture, int hotX, int hotY) {
    return CreateIconOrCursor(picture, false, hotX, hotY);
}

// The glyph beside a button's caption, one image per button state (normal, hot, pressed,
// disabled, default, stylus hot) so that a disabled button shows it greyed.
// The button keeps using the list: the caller holds it until the button has another.
UniqueImageList SetButtonGlyph(HWND button, int which, int side, int margin) {
    const Picture glyph = Resampled(WizardGlyph(which), side, side);
    UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32, 6, 0));
    if (!list) return list;
    UniqueBitmap normal(CreatePictureBitmap(glyph));
    UniqueBitmap disabled(CreatePictureBitmap(Greyed(glyph)));
    for (int state = 0; state < 6; ++state)
        ImageList_Add(list.get(), state == 3 ? disabled.get() : normal.get(), nullptr);
    BUTTON_IMAGELIST bil{};
    bil.himl = list.get();
    bil.margin = {margin, 0, 0, 0};
    bil.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
    return list;
}

}  // namespace cv2
