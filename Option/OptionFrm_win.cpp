// The wait-time dialog. An empty in-memory template gives us the dialog manager (Enter
// presses the default button while the field has the focus, Escape and the close box
// cancel, Tab moves between controls); the controls are created in pixels, since the
// layout is given in pixels.
#include "Option/OptionFrm_win.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "NumEdit/NumEdit_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "Option/OptionFrm.h"
#include "base/Cp932.h"

namespace cv2 {
namespace {

constexpr int kClientWidth = 251;
constexpr int kClientHeight = 80;

// 16-colour style pictures; '.' is transparent (the dialog's face colour).
constexpr const char* kClockPicture[16] = {
    ".....KKKKKK.....", "...KKWWWWWWKK...", "..KWWWWRWWWWWK..", ".KWWWWWKWWWWWWK.",
    ".KWWWWWKWWWWWWK.", "KWWWWWWKWWWWWWWK", "KWWWWWWKWWWWWWWK", "KRWWWWWKKKKKWWRK",
    "KWWWWWWWWWWWWWWK", "KWWWWWWWWWWWWWWK", ".KWWWWWWWWWWWWK.", ".KWWWWWWWWWWWWK.",
    "..KWWWWWRWWWWK..", "...KKWWWWWWKK...", ".....KKKKKK.....", "................",
};
constexpr const char* kOkPicture[16] = {
    "................", "................", "................", "............G...",
    "...........GG...", "..........GGG...", "..G......GGG....", "..GG....GGG.....",
    "..GGG..GGG......", "...GGGGGG.......", "....GGGG........", ".....GG.........",
    "................", "................", "................", "................",
};
constexpr const char* kCancelPicture[16] = {
    "................", "................", "...RR......RR...", "...RRR....RRR...",
    "....RRR..RRR....", ".....RRRRRR.....", "......RRRR......", "......RRRR......",
    ".....RRRRRR.....", "....RRR..RRR....", "...RRR....RRR...", "...RR......RR...",
    "................", "................", "................", "................",
};

COLORREF PictureColour(char c) {
    switch (c) {
        case 'K':
            return RGB(0, 0, 0);
        case 'W':
            return RGB(255, 255, 255);
        case 'R':
            return RGB(255, 0, 0);
        case 'G':
            return RGB(0, 128, 0);
        case 'Y':
            return RGB(128, 128, 0);
        default:
            return GetSysColor(COLOR_BTNFACE);
    }
}

// The picture at `side` x `side` pixels: each pixel takes the colour of the drawing's pixel
// under its centre, so that it stays sharp at every scale.
HBITMAP MakePicture(const char* const (&rows)[16], int side) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = side;
    bi.bmiHeader.biHeight = -side;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) return bmp;
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            COLORREF c = PictureColour(rows[(2 * y + 1) * 16 / (2 * side)][(2 * x + 1) * 16 / (2 * side)]);
            px[y * side + x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                               (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
        }
    return bmp;
}

// "ＭＳ Ｐゴシック" at 9 points (12 pixels at 96 dpi); where it is missing, another Japanese
// proportional face.
HFONT MakeDialogFont(int dpi) {
    for (const wchar_t* face : {L"ＭＳ Ｐゴシック", L"MS PGothic", L"MS UI Gothic", L"IPAPGothic", L""}) {
        HFONT font =
            CreateFontW(-ScaleForDpi(12, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
        if (!font || !*face) return font;
        // The font mapper substitutes silently; keep the font only when it is the face asked for.
        wchar_t got[LF_FACESIZE] = {};
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        GetTextFaceW(dc, LF_FACESIZE, got);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        if (lstrcmpiW(got, face) == 0) return font;
        DeleteObject(font);
    }
    return nullptr;
}

struct DialogState {
    std::string* text = nullptr;
    HFONT font = nullptr;
    HBITMAP pictures[3] = {};
};

LRESULT CALLBACK NumEdit1Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_CHAR: {
            // NumEdit1KeyPress: everything but backspace and digits is swallowed.
            unsigned key = NumEdit1KeyPress(static_cast<unsigned>(wParam));
            if (!key) return 0;
            wParam = key;
            break;
        }
        case WM_IME_CHAR:
            // Characters an input method sends one by one go through the same filter.
            SendMessageW(hwnd, WM_CHAR, wParam, lParam);
            return 0;
        case WM_IME_COMPOSITION:
            // The edit would insert the committed text in one piece, past the filter: it is
            // typed here character by character instead.
            if (lParam & GCS_RESULTSTR) {
                if (HIMC imc = ImmGetContext(hwnd)) {
                    LONG bytes = ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0);
                    std::wstring result(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(wchar_t) : 0, L'\0');
                    if (!result.empty())
                        ImmGetCompositionStringW(imc, GCS_RESULTSTR, result.data(),
                                                 static_cast<DWORD>(result.size() * sizeof(wchar_t)));
                    ImmReleaseContext(hwnd, imc);
                    for (wchar_t c : result) SendMessageW(hwnd, WM_CHAR, c, 1);
                }
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::wstring WindowTextOf(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return s;
}

// A control at its designed place (pixels at 96 dpi), scaled to the dialog's resolution.
HWND AddControl(HWND dlg, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h,
                HFONT font) {
    const int dpi = DpiOfWindow(dlg);
    auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    HWND c = CreateWindowExW(0, cls, text, style | WS_CHILD | WS_VISIBLE, s(x), s(y), s(w), s(h), dlg,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (c && font) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

void PlaceDialog(HWND dlg) {
    const int dpi = DpiOfWindow(dlg);
    RECT r{0, 0, ScaleForDpi(kClientWidth, dpi), ScaleForDpi(kClientHeight, dpi)};
    AdjustWindowRectForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE)), dpi);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT over{};
    HWND owner = GetWindow(dlg, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    int x = over.left + (over.right - over.left - w) / 2;
    int y = over.top + (over.bottom - over.top - h) / 2;
    // A narrow main window near the screen's edge would push the dialog partly off it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - w));
        y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - h));
    }
    SetWindowPos(dlg, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dlg, DialogState& st) {
    const int dpi = DpiOfWindow(dlg);
    auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    st.font = MakeDialogFont(dpi);
    st.pictures[0] = MakePicture(kClockPicture, s(16));
    st.pictures[1] = MakePicture(kOkPicture, s(16));
    st.pictures[2] = MakePicture(kCancelPicture, s(16));
    PlaceDialog(dlg);

    HWND image = AddControl(dlg, L"STATIC", L"", SS_BITMAP, kOptionImage1Id, 8, 8, 16, 16, nullptr);
    SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(st.pictures[0]));
    AddControl(dlg, L"STATIC", L"貼りつけが上手くいかない場合", SS_LEFT | SS_NOPREFIX, kOptionLabel1Id, 32, 8, 168, 14,
               st.font);
    AddControl(dlg, L"STATIC", L"設定して下さい。　例） 300", SS_LEFT | SS_NOPREFIX, kOptionLabel2Id, 32, 24, 168, 14,
               st.font);

    // First in the tab order.
    HWND edit = CreateNumEdit(dlg, kOptionNumEdit1Id, s(200), s(16), s(41), s(20),
                              WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(st.font), FALSE);
    SetWindowSubclass(edit, NumEdit1Proc, 1, 0);
    // Digits only: no input method in this field at all (the committed text of one that is
    // open anyway is filtered above).
    ImmAssociateContextEx(edit, nullptr, 0);
    std::wstring wide = FromCp932(*st.text);
    SetWindowTextW(edit, wide.c_str());  // not subject to the typing limit
    SendMessageW(edit, EM_LIMITTEXT, kNumEdit1TypingLimit, 0);

    HWND ok = AddControl(dlg, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 80, 48, 75, 25, st.font);
    HWND cancel = AddControl(dlg, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 168, 48, 75, 25, st.font);
    // Shown beside the caption by the version 6 buttons; older ones keep the text alone.
    SendMessageW(ok, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(st.pictures[1]));
    SendMessageW(cancel, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(st.pictures[2]));

    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK OptionFrmProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            st = reinterpret_cast<DialogState*>(lParam);
            SetWindowLongPtrW(dlg, DWLP_USER, lParam);
            InitDialog(dlg, *st);
            return FALSE;  // the focus is set
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id);
            if (id == kOptionNumEdit1Id && code == EN_KILLFOCUS) {
                // NumEdit1Exit. Enter closes the dialog while the field still has the focus,
                // so an emptied field reaches the conversion as it is.
                std::string text = ToCp932(WindowTextOf(edit));
                std::string exitText = NumEdit1Exit(text);
                if (exitText != text) SetWindowTextW(edit, FromCp932(exitText).c_str());
                return TRUE;
            }
            if (id == IDOK && st) {
                *st->text = ToCp932(WindowTextOf(edit));
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (HWND edit = GetDlgItem(dlg, kOptionNumEdit1Id)) RemoveWindowSubclass(edit, NumEdit1Proc, 1);
            return FALSE;
        default:
            return FALSE;
    }
}

// An empty dialog template: the dialog manager and the caption, nothing else.
std::vector<WORD> MakeTemplate() {
    static_assert(sizeof(DLGTEMPLATE) % sizeof(WORD) == 0);
    DLGTEMPLATE hdr{};
    hdr.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::vector<WORD> t(sizeof hdr / sizeof(WORD), 0);
    std::memcpy(t.data(), &hdr, sizeof hdr);
    t.push_back(0);  // no menu
    t.push_back(0);  // the standard dialog class
    for (const wchar_t* p = kOptionFrmCaption; *p; ++p) t.push_back(static_cast<WORD>(*p));
    t.push_back(0);
    return t;
}

}  // namespace

bool ShowOptionFrm(HWND owner, std::string& text) {
    std::vector<WORD> tmpl = MakeTemplate();
    DialogState st;
    std::string edited = text;
    st.text = &edited;
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(tmpl.data()),
                                             owner, OptionFrmProc, reinterpret_cast<LPARAM>(&st));
    if (st.font) DeleteObject(st.font);
    for (HBITMAP b : st.pictures)
        if (b) DeleteObject(b);
    if (result != IDOK) return false;
    text = edited;
    return true;
}

}  // namespace cv2
