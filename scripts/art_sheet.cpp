// The review sheets of the program's pictures: every picture enlarged with its index, and at
// real and double size on the button face, as PPM files (convert them with imagemagick).
//
// Usage: art_sheet <folder>   writes sheet_big.ppm and sheet_real.ppm there
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wingui/Images.h"

namespace cv2 {
namespace {

bool Opaque(std::uint32_t argb) { return (argb >> 24) != 0; }

struct Canvas {
    int width;
    int height;
    std::vector<std::uint32_t> rgb;

    Canvas(int w, int h, std::uint32_t background)
        : width(w), height(h), rgb(static_cast<std::size_t>(w * h), background) {}

    void Fill(int x0, int y0, int w, int h, std::uint32_t c) {
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                if (x >= 0 && y >= 0 && x < width && y < height) {
                    rgb[static_cast<std::size_t>(y * width + x)] = c;
                }
            }
        }
    }

    void Draw(const Picture& p, int x0, int y0, int scale) {
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                if (Opaque(p.At(x, y))) {
                    Fill(x0 + x * scale, y0 + y * scale, scale, scale, p.At(x, y) & 0xFFFFFF);
                }
            }
        }
    }

    // Digits in a 3 x 5 font, for the labels.
    void Number(int value, int x0, int y0, int scale) {
        static const char* const kDigits[10] = {
            "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
            "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"};
        const std::string text = std::to_string(value);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char* d = kDigits[text[i] - '0'];
            for (int k = 0; k < 15; ++k) {
                if (d[k] == '1') {
                    Fill(x0 + static_cast<int>(i) * 4 * scale + (k % 3) * scale, y0 + (k / 3) * scale, scale, scale,
                         0x000000);
                }
            }
        }
    }

    void Save(const std::string& path) const {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
        std::fprintf(f, "P6\n%d %d\n255\n", width, height);
        for (std::uint32_t c : rgb) {
            const unsigned char px[3] = {static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 8),
                                         static_cast<unsigned char>(c)};
            std::fwrite(px, 1, 3, f);
        }
        std::fclose(f);
    }
};

void WriteSheets(const std::string& folder) {
    const auto& images = MainImages();
    const std::uint32_t kFace = 0xD4D0C8;

    // Enlarged: 8 x per pixel, 6 to a row, with a pixel grid and the index above.
    constexpr int kScale = 8;
    constexpr int kCell = 18 * kScale + 24;
    Canvas big(6 * kCell + 8, 10 * kCell, kFace);
    auto cell = [&](const Picture& p, int label, int col, int row) {
        const int x0 = 8 + col * kCell;
        const int y0 = row * kCell + 16;
        big.Number(label, x0, y0 - 13, 2);
        big.Fill(x0 - 1, y0 - 1, p.width * kScale + 2, p.height * kScale + 2, 0x606060);
        big.Fill(x0, y0, p.width * kScale, p.height * kScale, 0xF0F0F0);
        big.Draw(p, x0, y0, kScale);
    };
    for (int i = 0; i < kImageCount; ++i) {
        cell(images[static_cast<std::size_t>(i)], i, i % 6, i / 6);
    }
    for (int g = 0; g < kGlyphCount; ++g) {
        cell(WizardGlyph(g), 100 + g, g % 6, 8);
    }
    cell(WaitDialogImage(), 104, 4, 8);
    cell(HandOverlay(), 105, 5, 8);
    cell(AppIconPicture(16), 116, 0, 9);
    {
        const int x0 = 8 + 1 * kCell;
        const int y0 = 9 * kCell + 16;
        big.Number(132, x0, y0 - 13, 2);
        big.Draw(AppIconPicture(32), x0, y0, 4);
    }
    big.Save(folder + "/sheet_big.ppm");

    // Real size and double size on the button face, as toolbars and menus show them.
    constexpr int kPerRow = 12;
    Canvas real(kPerRow * 44 + 16, 5 * 22 + 4 * 44 + 32 + 40, kFace);
    for (int i = 0; i < kImageCount; ++i) {
        real.Draw(images[static_cast<std::size_t>(i)], 8 + (i % kPerRow) * 22, 8 + (i / kPerRow) * 22, 1);
        real.Draw(images[static_cast<std::size_t>(i)], 8 + (i % kPerRow) * 44, 16 + 5 * 22 + (i / kPerRow) * 44, 2);
    }
    // The dialog glyphs, the clock and the icon at real size, then the glyphs doubled.
    const int glyphTop = 8 + 4 * 22;
    for (int g = 0; g < kGlyphCount; ++g) {
        real.Draw(WizardGlyph(g), 8 + g * 22, glyphTop, 1);
        real.Draw(WizardGlyph(g), 8 + g * 40, 16 + 5 * 22 + 4 * 44 + 4, 2);
    }
    real.Draw(WaitDialogImage(), 8 + 4 * 22, glyphTop, 1);
    real.Draw(WaitDialogImage(), 8 + 4 * 40, 16 + 5 * 22 + 4 * 44 + 4, 2);
    real.Draw(AppIconPicture(16), 8 + 5 * 22, glyphTop, 1);
    real.Draw(AppIconPicture(32), 8 + 6 * 22, glyphTop - 8, 1);
    real.Save(folder + "/sheet_real.ppm");
}

}  // namespace
}  // namespace cv2

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art_sheet <folder>\n");
        return 2;
    }
    cv2::WriteSheets(argv[1]);
    return 0;
}
