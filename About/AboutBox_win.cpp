// The about box: a fixed-size modal dialog that paints its panel, icon and labels itself
// and has one real control, the OK button. The links are painted labels; a click on one
// goes to TAboutBox.
#include "About/AboutBox_win.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "About/About.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "wingui/ImageList_win.h"
#include "base/Cp932.h"

namespace cv2 {
namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 180;
constexpr RECT kPanel{8, 8, 8 + 281, 8 + 129};
constexpr int kFontHeight = 12;
constexpr int kProductFontHeight = 19;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kOkLeft = 111, kOkTop = 148, kOkWidth = 75, kOkHeight = 25;

enum class Link { None, Mail, Home };

// Labels as placed inside the panel. Those whose right edge lines up with the others keep
// that edge when their text is wider than the design and grow to the left instead.
struct LabelPlace {
    int left, top, width, height;
    bool rightAligned;
};
constexpr LabelPlace kProductPlace{56, 16, 129, 19, false};
constexpr LabelPlace kVersionPlace{200, 22, 63, 12, true};
constexpr LabelPlace kCopyrightPlace{61, 48, 202, 12, true};
constexpr LabelPlace kMailPlace{174, 64, 89, 12, true};
constexpr LabelPlace kHomePlace{50, 80, 213, 12, true};
constexpr LabelPlace kCommentsPlace{16, 96, 54, 12, false};
constexpr RECT kIconRect{8 + 16, 8 + 16, 8 + 16 + 32, 8 + 16 + 32};

// The face the program is designed for, then faces that look alike where it is missing.
constexpr std::array<const wchar_t*, 6> kFaces{L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic",
                                               L"IPAexGothic",     L"Meiryo UI",  L"VL PGothic"};

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceExists(HDC dc, const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

const wchar_t* ChooseFace() {
    HDC dc = GetDC(nullptr);
    const wchar_t* chosen = L"";  // none of them: the font mapper picks a Shift-JIS face
    for (const wchar_t* face : kFaces) {
        if (FaceExists(dc, face)) {
            chosen = face;
            break;
        }
    }
    ReleaseDC(nullptr, dc);
    return chosen;
}

HFONT MakeFont(const wchar_t* face, int height, int weight, bool italic, bool underline) {
    return CreateFontW(-height, 0, 0, 0, weight, italic, underline, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

struct AboutWindow {
    AboutWindow(Shell& s, HWND o) : shell(s), owner(o) {}
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    Shell& shell;
    HWND owner;
    std::optional<TAboutBox> box;  // made when the box has its window
    HFONT font = nullptr;
    HFONT linkFont = nullptr;
    HFONT productFont = nullptr;
    HICON icon = nullptr;
    bool ownIcon = false;
    int dpi = kDesignDpi;  // the layout's resolution; the places above are designed at 96
    RECT mailRect{};
    RECT homeRect{};
    Link pressed = Link::None;

    ~AboutWindow() {
        for (HFONT f : {font, linkFont, productFont})
            if (f) DeleteObject(f);
        if (icon && ownIcon) DestroyIcon(icon);
    }
};

RECT Scaled(const RECT& r, int dpi) {
    return {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi), ScaleForDpi(r.bottom, dpi)};
}

// The application's icon: drawn from the program's own pixel maps at the box's scale (the
// icon resource holds 32 and 16 pixels only, which the system would stretch), else the
// icon resource, else the owner's class icon, else the system's application icon.
void LoadProgramIcon(AboutWindow& w) {
    const int side = ScaleForDpi(32, w.dpi);
    w.icon = CreatePictureIcon(AppIconAt(side));
    if (w.icon) {
        w.ownIcon = true;
        return;
    }
    w.icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    if (w.icon) {
        w.ownIcon = true;
        return;
    }
    if (w.owner) w.icon = reinterpret_cast<HICON>(GetClassLongPtrW(w.owner, GCLP_HICON));
    if (!w.icon) w.icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

RECT PlaceRect(const LabelPlace& p, int dpi) {
    return Scaled(
        {kPanel.left + p.left, kPanel.top + p.top, kPanel.left + p.left + p.width, kPanel.top + p.top + p.height}, dpi);
}

// Where a label's text lies: its design place, widened to the text (to the left for a
// right-aligned label), never beyond the panel's inside.
RECT TextRect(HDC dc, HFONT font, const std::wstring& text, const LabelPlace& p, int dpi) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    RECT r = PlaceRect(p, dpi);
    const int insideLeft = ScaleForDpi(kPanel.left + 2, dpi), insideRight = ScaleForDpi(kPanel.right - 2, dpi);
    if (p.rightAligned) {
        r.left = std::max(static_cast<LONG>(insideLeft), std::min(r.left, r.right - size.cx));
        if (size.cx < r.right - r.left) r.left = r.right - size.cx;
    } else {
        r.right = std::min(static_cast<LONG>(insideRight), std::max(r.right, r.left + size.cx));
    }
    r.bottom = std::max(r.bottom, r.top + size.cy);
    return r;
}

void DrawLabel(HDC dc, HFONT font, COLORREF color, const std::wstring& text, const RECT& r, bool rightAligned) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    RECT box = r;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | (rightAligned ? DT_RIGHT : DT_LEFT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
    SelectObject(dc, old);
}

void Paint(HWND hwnd, AboutWindow& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT panel = Scaled(kPanel, w.dpi);
    DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
    const RECT iconRect = Scaled(kIconRect, w.dpi);
    if (w.icon)
        DrawIconEx(dc, iconRect.left, iconRect.top, w.icon, iconRect.right - iconRect.left,
                   iconRect.bottom - iconRect.top, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    DrawLabel(dc, w.productFont, kNavy, FromCp932(kAboutProductName),
              TextRect(dc, w.productFont, FromCp932(kAboutProductName), kProductPlace, w.dpi), false);
    DrawLabel(dc, w.font, text, FromCp932(kAboutVersion),
              TextRect(dc, w.font, FromCp932(kAboutVersion), kVersionPlace, w.dpi), true);
    DrawLabel(dc, w.font, text, FromCp932(kAboutCopyright),
              TextRect(dc, w.font, FromCp932(kAboutCopyright), kCopyrightPlace, w.dpi), true);
    DrawLabel(dc, w.linkFont, kBlue, FromCp932(w.box->mailLabel), w.mailRect, true);
    DrawLabel(dc, w.linkFont, kRed, FromCp932(w.box->hpLabel), w.homeRect, true);
    DrawLabel(dc, w.font, text, FromCp932(w.box->comments),
              TextRect(dc, w.font, FromCp932(w.box->comments), kCommentsPlace, w.dpi), false);
    EndPaint(hwnd, &ps);
}

Link LinkAt(const AboutWindow& w, POINT p) {
    if (PtInRect(&w.mailRect, p)) return Link::Mail;
    if (PtInRect(&w.homeRect, p)) return Link::Home;
    return Link::None;
}

void InitDialog(HWND hwnd, AboutWindow& w) {
    w.box.emplace(w.shell, reinterpret_cast<WindowHandle>(hwnd));
    SetWindowTextW(hwnd, FromCp932(kAboutCaption).c_str());

    w.dpi = DpiOfWindow(hwnd);
    auto s = [&w](int pixels) { return ScaleForDpi(pixels, w.dpi); };
    const wchar_t* face = ChooseFace();
    w.font = MakeFont(face, s(kFontHeight), FW_NORMAL, false, false);
    w.linkFont = MakeFont(face, s(kFontHeight), FW_NORMAL, false, true);
    w.productFont = MakeFont(face, s(kProductFontHeight), FW_BOLD, true, false);
    LoadProgramIcon(w);

    HDC dc = GetDC(hwnd);
    w.mailRect = TextRect(dc, w.linkFont, FromCp932(w.box->mailLabel), kMailPlace, w.dpi);
    w.homeRect = TextRect(dc, w.linkFont, FromCp932(w.box->hpLabel), kHomePlace, w.dpi);
    ReleaseDC(hwnd, dc);

    // Client area of the designed size, the box centred on the screen.
    RECT frame{0, 0, s(kClientWidth), s(kClientHeight)};
    AdjustWindowRectForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), w.dpi);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    HWND ok = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, s(kOkLeft),
                              s(kOkTop), s(kOkWidth), s(kOkHeight), hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), FALSE);
    SendMessageW(hwnd, DM_SETDEFID, IDOK, 0);
    SetFocus(ok);
}

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* w = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    try {
        switch (msg) {
            case WM_INITDIALOG: {
                w = reinterpret_cast<AboutWindow*>(lParam);
                SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
                InitDialog(hwnd, *w);
                return FALSE;  // the focus is set
            }
            case WM_PAINT:
                if (!w || !w->box) return FALSE;
                Paint(hwnd, *w);
                return TRUE;
            case WM_SETCURSOR:
                if (w && LOWORD(lParam) == HTCLIENT) {
                    POINT p;
                    GetCursorPos(&p);
                    ScreenToClient(hwnd, &p);
                    if (LinkAt(*w, p) != Link::None) {
                        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
                        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
                        return TRUE;
                    }
                }
                return FALSE;
            case WM_LBUTTONDOWN:
                if (w)
                    w->pressed = LinkAt(*w, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
                return TRUE;
            case WM_LBUTTONUP: {
                if (!w) return FALSE;
                // A click: pressed and released on the same link.
                Link link = LinkAt(*w, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
                Link pressed = w->pressed;
                w->pressed = Link::None;
                if (link == Link::None || link != pressed) return TRUE;
                bool opened = link == Link::Mail ? w->box->MailLabelClick() : w->box->HpLabelClick();
                if (opened) EndDialog(hwnd, IDOK);
                return TRUE;
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                    EndDialog(hwnd, LOWORD(wParam));
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    } catch (...) {
        // Nothing may leave a window procedure; the box stays as it was.
        return FALSE;
    }
}

// An empty dialog template: the box lays itself out in pixels when it opens.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    DLGTEMPLATE t{};
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cdit = 0;
    t.cx = 100;
    t.cy = 50;
    std::memcpy(words.data(), &t, sizeof t);
    // Then no menu, the standard dialog class and an empty title, each one 0 word.
    return words;
}

}  // namespace

void ShowAboutBox(HWND owner, Shell& shell) {
    AboutWindow window(shell, owner);
    std::vector<WORD> words = DialogTemplate();
    // The template must be DWORD-aligned; vector storage is.
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                            AboutProc, reinterpret_cast<LPARAM>(&window));
}

}  // namespace cv2
