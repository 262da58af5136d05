#include "wingui/UiFont_win.h"

namespace cv2 {
namespace {

// The designed face first, under both of its names, then faces of the same shape.
constexpr const wchar_t* kFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic",  L"MS UI Gothic", L"IPAPGothic",
                                     L"IPA Pゴシック",   L"IPAexGothic", L"Meiryo UI",    L"VL PGothic"};

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Asking the font mapper for a face that is missing gives another one silently; the
// enumeration tells whether it is there.
bool FaceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

const wchar_t* ChooseFace() {
    HDC dc = GetDC(nullptr);
    const wchar_t* chosen = L"";
    for (const wchar_t* face : kFaces) {
        if (FaceInstalled(dc, face)) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    return chosen;
}

}  // namespace

const wchar_t* UiFontFace() {
    static const wchar_t* const face = ChooseFace();
    return face;
}

UniqueFont CreateUiFont(int pixels, UiFontLook look) {
    LOGFONTW lf{};
    lf.lfHeight = -pixels;
    lf.lfWeight = look.weight;
    lf.lfItalic = look.italic;
    lf.lfUnderline = look.underline;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, UiFontFace(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

}  // namespace cv2
