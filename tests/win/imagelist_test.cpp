#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "wingui/ImageList_win.h"

namespace cv2 {
namespace {

constexpr COLORREF kBackground = RGB(0x12, 0x34, 0x56);

// A memory DC on a 32-bit DIB filled with kBackground, read back pixel by pixel.
class Surface {
public:
    Surface(int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(kBackground);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC Dc() const { return dc_; }
    std::uint32_t Rgb(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// The first opaque and the first transparent pixel of a picture.
void Probe(const Picture& p, POINT& opaque, POINT& clear) {
    opaque = clear = POINT{-1, -1};
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            POINT& slot = (p.At(x, y) >> 24) != 0 ? opaque : clear;
            if (slot.x < 0) {
                slot = POINT{x, y};
            }
        }
    }
}

TEST(MainImageList, HoldsEveryPictureAndDrawsItWithTransparency) {
    HIMAGELIST list = CreateMainImageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), kImageCount);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 18);
    EXPECT_EQ(cy, 18);

    for (int index : {0, 5, 17, 28, 38, 41, 43, 44}) {
        SCOPED_TRACE(index);
        const Picture& picture = MainImages()[static_cast<std::size_t>(index)];
        POINT opaque;
        POINT clear;
        Probe(picture, opaque, clear);
        for (UINT style : {ILD_NORMAL, ILD_TRANSPARENT}) {
            Surface surface(18, 18);
            ASSERT_TRUE(ImageList_Draw(list, index, surface.Dc(), 0, 0, style));
            EXPECT_EQ(surface.Rgb(opaque.x, opaque.y), picture.At(opaque.x, opaque.y) & 0xFFFFFF);
            EXPECT_EQ(surface.Rgb(clear.x, clear.y), 0x123456u);  // BGR in memory: RGB(0x12,0x34,0x56)
        }
    }
    ImageList_Destroy(list);
}

TEST(MainImageList, AtLargerSizesEveryPixelIsTheResampledMapsOwn) {
    for (int side : {27, 36}) {
        SCOPED_TRACE(side);
        HIMAGELIST list = CreateMainImageList(side);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list), static_cast<int>(MainImages().size()));
        int cx = 0;
        int cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
        EXPECT_EQ(cx, side);
        EXPECT_EQ(cy, side);
        const std::vector<Picture> pictures = MainImagesAt(side);
        for (int index : {0, 17, 28, 41, 43}) {
            SCOPED_TRACE(index);
            const Picture& picture = pictures[static_cast<std::size_t>(index)];
            Surface surface(side, side);
            ASSERT_TRUE(ImageList_Draw(list, index, surface.Dc(), 0, 0, ILD_TRANSPARENT));
            int wrong = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const std::uint32_t argb = picture.At(x, y);
                    const std::uint32_t expected = (argb >> 24) == 0xFF ? argb & 0xFFFFFF
                                                   : (argb >> 24) == 0  ? 0x123456u
                                                                        : surface.Rgb(x, y);
                    wrong += surface.Rgb(x, y) == expected ? 0 : 1;
                }
            }
            EXPECT_EQ(wrong, 0);
        }
        ImageList_Destroy(list);
    }
}

TEST(MainImageList, PictureBitmapIsTopDown32Bit) {
    HBITMAP bitmap = CreatePictureBitmap(MainImages()[33]);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 18);
    EXPECT_EQ(section.dsBm.bmHeight, 18);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    // Row 0 of the memory is the top row: the bits match the picture in order.
    const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    const Picture& picture = MainImages()[33];
    for (int i = 0; i < 18 * 18; ++i) {
        EXPECT_EQ(bits[i], picture.argb[static_cast<std::size_t>(i)]) << i;
    }
    DeleteObject(bitmap);
}

TEST(MainImageList, IconDrawsThePicture) {
    HICON icon = CreatePictureIcon(MainImages()[6]);
    ASSERT_NE(icon, nullptr);
    const Picture& picture = MainImages()[6];
    POINT opaque;
    POINT clear;
    Probe(picture, opaque, clear);
    Surface surface(18, 18);
    ASSERT_TRUE(DrawIconEx(surface.Dc(), 0, 0, icon, 18, 18, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(surface.Rgb(opaque.x, opaque.y), picture.At(opaque.x, opaque.y) & 0xFFFFFF);
    EXPECT_EQ(surface.Rgb(clear.x, clear.y), 0x123456u);
    DestroyIcon(icon);

    HICON glyph = CreatePictureIcon(WizardGlyph(kGlyphOk));
    EXPECT_NE(glyph, nullptr);
    DestroyIcon(glyph);
}

// The .ico made at build time carries the drawn icon into the executable.
TEST(MainImageList, ProgramIconIsTheDrawnOne) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe = path;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"Corvell2.exe";
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        GTEST_SKIP() << "Corvell2.exe is not beside the tests";
    }
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(kMainIconId), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        const Picture& picture = AppIconPicture(size);
        Surface surface(size, size);
        ASSERT_TRUE(DrawIconEx(surface.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        int wrong = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t expected = (picture.At(x, y) >> 24) != 0 ? picture.At(x, y) & 0xFFFFFF : 0x123456u;
                wrong += surface.Rgb(x, y) == expected ? 0 : 1;
            }
        }
        EXPECT_EQ(wrong, 0);
        DestroyIcon(icon);
    }
    FreeLibrary(module);
}

}  // namespace
}  // namespace cv2
