#include "NewFrm/NewInputFrm_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "wingui/ImageList_win.h"
#include "NewFrm/NewInputFrm.h"
#include "base/Cp932.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

constexpr int kClientWidth = 446;
constexpr int kClientHeight = 256;
constexpr int kHeaderHeight = 30;
constexpr int kButtonBandHeight = 41;
constexpr int kButtonBandTop = kClientHeight - kButtonBandHeight;
// The pages sit inside a raised frame, 4 pixels in from its edges.
constexpr int kPageLeft = 4;
constexpr int kPageTop = kHeaderHeight + 4;
constexpr int kFieldHeight = 20;
constexpr int kLabelDrop = 4;  // labels line up with the text of the fields
constexpr int kRowPitch = 32;
constexpr int kFirstRow = 8;

struct FieldSpec {
    int id;
    int page;
    int row;
    int x;
    int width;
    int maxLength;  // 0: no limit of its own
    ImeMode ime;
    std::string WizardInput::*text;  // null for the birthday picker
};

constexpr ImeMode kOff = ImeMode::Off;
constexpr ImeMode kHira = ImeMode::Hiragana;
constexpr ImeMode kKata = ImeMode::Katakana;
constexpr ImeMode kAsIs = ImeMode::AsIs;
using W = WizardInput;

// In tab order: the listed order within each page.
constexpr FieldSpec kFields[] = {
    {kIdYubin01, 0, 0, 80, 57, 3, kOff, &W::Yubin01},
    {kIdYubin02, 0, 0, 144, 57, 4, kOff, &W::Yubin02},
    {kIdTodoufuken, 0, 1, 80, 347, 0, kHira, &W::Todoufuken},
    {kIdSikuchoson, 0, 2, 80, 347, 0, kHira, &W::Sikuchoson},
    {kIdJyuusyo01, 0, 3, 80, 347, 0, kHira, &W::Jyuusyo01},
    {kIdJyuusyo02, 0, 4, 80, 347, 0, kHira, &W::Jyuusyo02},
    {kIdKanji01, 1, 0, 80, 173, 0, kHira, &W::Kanji01},
    {kIdKanji02, 1, 0, 254, 173, 0, kHira, &W::Kanji02},
    {kIdHiragana01, 1, 1, 80, 173, 0, kHira, &W::Hiragana01},
    {kIdHiragana02, 1, 1, 254, 173, 0, kHira, &W::Hiragana02},
    {kIdKatakana01, 1, 2, 80, 173, 0, kKata, &W::Katakana01},
    {kIdKatakana02, 1, 2, 254, 173, 0, kKata, &W::Katakana02},
    {kIdRomaji01, 1, 3, 80, 173, 0, kOff, &W::Romaji01},
    {kIdRomaji02, 1, 3, 254, 173, 0, kOff, &W::Romaji02},
    {kIdBirthday, 1, 4, 80, 177, 0, kOff, nullptr},
    {kIdOld, 1, 4, 304, 123, 2, kOff, &W::Old},
    {kIdSyokugyou, 2, 0, 80, 347, 0, kHira, &W::Syokugyou},
    {kIdTel01, 2, 1, 80, 115, 10, kOff, &W::Tel01},
    {kIdTel02, 2, 1, 196, 115, 10, kOff, &W::Tel02},
    {kIdTel03, 2, 1, 312, 115, 10, kOff, &W::Tel03},
    {kIdFax01, 2, 2, 80, 115, 10, kOff, &W::Fax01},
    {kIdFax02, 2, 2, 196, 115, 10, kOff, &W::Fax02},
    {kIdFax03, 2, 2, 312, 115, 10, kOff, &W::Fax03},
    {kIdMail, 2, 3, 80, 347, 0, kOff, &W::Mail},
    {kIdUrl, 2, 4, 80, 347, 0, kOff, &W::Url},
    {kIdTuika01, 3, 0, 80, 347, 0, kAsIs, &W::Tuika01},
    {kIdTuika02, 3, 1, 80, 347, 0, kAsIs, &W::Tuika02},
    {kIdTuika03, 3, 2, 80, 347, 0, kAsIs, &W::Tuika03},
    {kIdTuika04, 3, 3, 80, 347, 0, kAsIs, &W::Tuika04},
    {kIdTuika05, 3, 4, 80, 347, 0, kAsIs, &W::Tuika05},
};

struct LabelSpec {
    int page;
    int row;
    int x;
    const wchar_t* text;
};

constexpr LabelSpec kLabels[] = {
    {0, 0, 16, L"郵便番号"}, {0, 1, 16, L"都道府県"}, {0, 2, 16, L"市区町村"}, {0, 3, 16, L"住所１"},
    {0, 4, 16, L"住所２"},   {1, 0, 16, L"氏名漢字"}, {1, 1, 16, L"ふりがな"}, {1, 2, 16, L"カタカナ"},
    {1, 3, 16, L"ローマ字"}, {1, 4, 16, L"生年月日"}, {1, 4, 272, L"年齢"},    {2, 0, 16, L"職業"},
    {2, 1, 16, L"電話番号"}, {2, 2, 16, L"FAX番号"},  {2, 3, 16, L"メール"},   {2, 4, 16, L"URL"},
    {3, 0, 16, L"追加項目"}, {3, 1, 16, L"追加項目"}, {3, 2, 16, L"追加項目"}, {3, 3, 16, L"追加項目"},
    {3, 4, 16, L"追加項目"},
};

struct ButtonSpec {
    int id;
    const wchar_t* caption;
    int x;
    int glyph;
};

// In tab order.
constexpr ButtonSpec kButtons[] = {
    {kIdNextBtn, L"次へ", 176, kGlyphNext},
    {kIdOkBtn, L"OK", 352, kGlyphOk},
    {kIdCancelBtn, L"Cancel", 264, kGlyphCancel},
    {kIdReturnBtn, L"戻る", 88, kGlyphBack},
};

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;

constexpr wchar_t kHeaderText[] = L"懸賞応募に必要なデータを入力して下さい。";

constexpr int RowTop(int row) { return kPageTop + kFirstRow + row * kRowPitch; }

const FieldSpec* FindField(int id) {
    for (const FieldSpec& f : kFields)
        if (f.id == id) return &f;
    return nullptr;
}

// The first field of each page takes the focus when the page is shown.
constexpr int kFirstFieldOfPage[kWizardPageCount] = {kIdYubin01, kIdKanji01, kIdSyokugyou, kIdTuika01};

struct Wizard {
    WizardInput* input = nullptr;
    HWND dlg = nullptr;
    HFONT font = nullptr;
    int dpi = kDesignDpi;  // the layout's resolution; every size above is designed at 96
    int page = 0;
    // The age the last exit from the birthday put into Old; cleared when the user changes it.
    std::string filledAge;
    bool fillingAge = false;                         // Old is being set by BirthdayExit
    std::vector<std::pair<HWND, int>> pageControls;  // every control of a page, with its page
    std::vector<HIMAGELIST> glyphs;                  // the buttons' glyphs, released with the dialog
    std::unique_ptr<Ime> ime = MakeWin32Ime();
    std::unique_ptr<Locale> locale = MakeWin32Locale();
};

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

// The glyph beside a button's caption, one image per button state (normal, hot, pressed,
// disabled, default, stylus hot) so that a disabled button shows it greyed.
HIMAGELIST SetButtonGlyph(HWND button, int which, int dpi) {
    const int side = ScaleForDpi(kGlyphSize, dpi);
    const Picture glyph = Resampled(WizardGlyph(which), side, side);
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32, 6, 0);
    if (!list) return nullptr;
    HBITMAP normal = CreatePictureBitmap(glyph);
    HBITMAP disabled = CreatePictureBitmap(Greyed(glyph));
    for (int state = 0; state < 6; ++state) ImageList_Add(list, state == 3 ? disabled : normal, nullptr);
    DeleteObject(normal);
    DeleteObject(disabled);
    BUTTON_IMAGELIST bil{};
    bil.himl = list;
    bil.margin = {ScaleForDpi(2, dpi), 0, 0, 0};
    bil.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
    return list;
}

// "ＭＳ Ｐゴシック" 9 pt (12 pixels at 96 dpi); where that face is missing the font mapper
// substitutes a Shift-JIS face of the same height.
HFONT CreateDialogFont(int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleForDpi(12, dpi);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    wcscpy(lf.lfFaceName, L"ＭＳ Ｐゴシック");
    HFONT font = CreateFontIndirectW(&lf);
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::string GetText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return ToCp932(text);
}

Date GetPickerDate(HWND picker) {
    SYSTEMTIME st{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return {};
    return {st.wYear, st.wMonth, st.wDay};
}

// Enter in a field: the key itself is swallowed and the focus moves on as with Tab,
// through a posted WM_NEXTDLGCTL so that the key event is finished first.
LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_GETDLGCODE:
            if (lp) {
                const MSG* m = reinterpret_cast<const MSG*>(lp);
                if ((m->message == WM_KEYDOWN && m->wParam == VK_RETURN) ||
                    (m->message == WM_CHAR && m->wParam == '\r'))
                    return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) return 0;  // the picker would act on it
            break;
        case WM_CHAR:
            if (wp == '\r') {
                PostMessageW(GetAncestor(hwnd, GA_ROOT), WM_NEXTDLGCTL, 0, 0);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, FieldProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// A control at its designed place (pixels at 96 dpi), scaled to the dialog's resolution.
HWND Create(Wizard& w, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx, int cy, int id,
            DWORD exStyle = 0) {
    auto s = [&w](int pixels) { return ScaleForDpi(pixels, w.dpi); };
    HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | style, s(x), s(y), s(cx), s(cy), w.dlg,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), FALSE);
    return hwnd;
}

void SetPageState(Wizard& w) {
    auto buttons = PageButtonsFor(w.page);
    if (!buttons) return;
    for (auto [hwnd, page] : w.pageControls) ShowWindow(hwnd, page == w.page ? SW_SHOWNA : SW_HIDE);
    HWND first = GetDlgItem(w.dlg, kFirstFieldOfPage[w.page]);
    // Focus first: a button that is being disabled must not hold it.
    SendMessageW(w.dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    EnableWindow(GetDlgItem(w.dlg, kIdReturnBtn), buttons->returnEnabled);
    EnableWindow(GetDlgItem(w.dlg, kIdNextBtn), buttons->nextEnabled);
    EnableWindow(GetDlgItem(w.dlg, kIdOkBtn), buttons->okEnabled);
    EnableWindow(GetDlgItem(w.dlg, kIdCancelBtn), TRUE);
}

void ReturnOrNext(Wizard& w, int sender) {
    w.page = ReturnOrNextPage(w.page, sender == kIdNextBtn);
    SetPageState(w);
}

void BirthdayExit(Wizard& w) {
    try {
        HWND old = GetDlgItem(w.dlg, kIdOld);
        std::string text = GetText(old);
        std::string age =
            AgeAfterBirthdayExit(text, GetPickerDate(GetDlgItem(w.dlg, kIdBirthday)), w.locale->Today(), w.filledAge);
        if (age == text) return;
        w.fillingAge = true;
        SetWindowTextW(old, FromCp932(age).c_str());
        w.fillingAge = false;
        w.filledAge = age;
        // Arriving in Old by keyboard selected its text before it was filled in.
        if (GetFocus() == old && GetKeyState(VK_LBUTTON) >= 0) SendMessageW(old, EM_SETSEL, 0, -1);
    } catch (...) {}
}

// Whether the focus has left the birthday picker for another field or button of the wizard.
// The picker also loses the focus when its calendar drops down (Wine notifies that before
// DTN_DROPDOWN) and when the user switches to another program; neither counts.
bool FocusLeftPicker(Wizard& w, HWND picker) {
    HWND focus = GetFocus();
    if (!focus || focus == picker || IsChild(picker, focus)) return false;
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    if (calendar && (focus == calendar || IsChild(calendar, focus))) return false;
    return IsChild(w.dlg, focus) != FALSE;
}

void FormCreate(Wizard& w) {
    HWND dlg = w.dlg;
    w.dpi = DpiOfWindow(dlg);
    w.font = CreateDialogFont(w.dpi);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE));
    RECT r{0, 0, ScaleForDpi(kClientWidth, w.dpi), ScaleForDpi(kClientHeight, w.dpi)};
    AdjustWindowRectForDpi(&r, style, exStyle, w.dpi);
    int cx = r.right - r.left;
    int cy = r.bottom - r.top;
    SetWindowPos(dlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - cy) / 2, cx,
                 cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), FALSE);

    for (const LabelSpec& l : kLabels) {
        HWND label = Create(w, L"STATIC", l.text, SS_LEFT | SS_NOPREFIX, kPageLeft + l.x, RowTop(l.row) + kLabelDrop,
                            64, 14, -1);
        w.pageControls.emplace_back(label, l.page);
    }
    for (const FieldSpec& f : kFields) {
        HWND field;
        if (f.text) {
            field = Create(w, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kPageLeft + f.x, RowTop(f.row), f.width,
                           kFieldHeight, f.id, WS_EX_CLIENTEDGE);
            if (f.maxLength) SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(f.maxLength), 0);
        } else {
            field = Create(w, DATETIMEPICK_CLASSW, L"", WS_TABSTOP | DTS_LONGDATEFORMAT, kPageLeft + f.x, RowTop(f.row),
                           f.width, kFieldHeight, f.id);
            SYSTEMTIME today;
            GetLocalTime(&today);
            today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
            SendMessageW(field, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&today));
        }
        SetWindowSubclass(field, FieldProc, 0, 0);
        w.pageControls.emplace_back(field, f.page);
    }
    for (const ButtonSpec& b : kButtons) {
        HWND button = Create(w, L"BUTTON", b.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.x,
                             kButtonBandTop + kButtonTop, kButtonWidth, kButtonHeight, b.id);
        if (HIMAGELIST glyph = SetButtonGlyph(button, b.glyph, w.dpi)) w.glyphs.push_back(glyph);
    }
    w.page = 0;
}

void Paint(Wizard& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.dlg, &ps);
    auto s = [&w](int pixels) { return ScaleForDpi(pixels, w.dpi); };
    RECT header{0, 0, s(kClientWidth), s(kHeaderHeight)};
    FillRect(dc, &header, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HGDIOBJ oldFont = SelectObject(dc, w.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    TextOutW(dc, s(16), s(8), kHeaderText, static_cast<int>(wcslen(kHeaderText)));
    SelectObject(dc, oldFont);
    RECT pages{0, s(kHeaderHeight), s(kClientWidth), s(kButtonBandTop)};
    DrawEdge(dc, &pages, EDGE_RAISED, BF_RECT);
    EndPaint(w.dlg, &ps);
}

void Collect(Wizard& w) {
    for (const FieldSpec& f : kFields) {
        HWND field = GetDlgItem(w.dlg, f.id);
        if (f.text)
            w.input->*f.text = GetText(field);
        else
            w.input->Birthday = GetPickerDate(field);
    }
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    Wizard* w = reinterpret_cast<Wizard*>(GetWindowLongPtrW(dlg, DWLP_USER));
    try {
        switch (msg) {
            case WM_INITDIALOG:
                w = reinterpret_cast<Wizard*>(lp);
                SetWindowLongPtrW(dlg, DWLP_USER, lp);
                w->dlg = dlg;
                FormCreate(*w);
                SetPageState(*w);  // FormShow
                // On a first run no other window of the program is shown yet: the wizard
                // must come to the front and take the keys itself.
                SetForegroundWindow(dlg);
                return FALSE;  // the focus is set
            case WM_PAINT:
                if (!w) break;
                Paint(*w);
                return TRUE;
            case WM_COMMAND: {
                if (!w) break;
                int id = LOWORD(wp);
                int code = HIWORD(wp);
                // IDOK and IDCANCEL come from Enter and Escape with no button of theirs: ignored.
                if (code == BN_CLICKED && (id == kIdNextBtn || id == kIdReturnBtn)) {
                    ReturnOrNext(*w, id);
                } else if (code == BN_CLICKED && id == kIdOkBtn) {
                    Collect(*w);
                    EndDialog(dlg, IDOK);
                } else if (code == BN_CLICKED && id == kIdCancelBtn) {
                    EndDialog(dlg, IDCANCEL);
                } else if (code == EN_CHANGE && id == kIdOld) {
                    if (!w->fillingAge) w->filledAge.clear();  // the user's own age from now on
                } else if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
                    if (const FieldSpec* f = FindField(id)) {
                        WindowHandle field = static_cast<WindowHandle>(lp);
                        if (code == EN_SETFOCUS) {
                            // Arriving by keyboard selects the whole text, so that typing
                            // replaces it (the age that leaving the birthday put there, too).
                            if (GetKeyState(VK_LBUTTON) >= 0)
                                SendMessageW(reinterpret_cast<HWND>(lp), EM_SETSEL, 0, -1);
                            w->ime->Enter(field, f->ime);
                        } else {
                            w->ime->Leave(field, f->ime);
                        }
                    }
                }
                return TRUE;
            }
            case WM_NOTIFY: {
                if (!w) break;
                const NMHDR* nm = reinterpret_cast<const NMHDR*>(lp);
                if (static_cast<int>(nm->idFrom) != kIdBirthday) break;
                WindowHandle picker = reinterpret_cast<WindowHandle>(nm->hwndFrom);
                switch (nm->code) {
                    case NM_SETFOCUS:
                        w->ime->Enter(picker, ImeMode::Off);
                        break;
                    case NM_KILLFOCUS:
                        w->ime->Leave(picker, ImeMode::Off);
                        if (FocusLeftPicker(*w, nm->hwndFrom)) BirthdayExit(*w);
                        break;
                    case DTN_CLOSEUP:
                        // A click on another field closes the calendar and takes the focus
                        // there without the picker getting it back first.
                        if (FocusLeftPicker(*w, nm->hwndFrom)) BirthdayExit(*w);
                        break;
                    default:
                        break;
                }
                return TRUE;
            }
            case WM_CLOSE:
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            default:
                break;
        }
    } catch (...) {
        // Nothing may leave a dialog procedure; the wizard only collects texts.
    }
    return FALSE;
}

}  // namespace

bool ShowNewInputFrm(HWND owner, WizardInput& input) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    // A template without controls: they are created in pixels when the dialog starts.
    struct alignas(4) Template {
        DLGTEMPLATE head;
        WORD menu, windowClass;
        WCHAR title[16];
    } tpl{};
    tpl.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    tpl.head.dwExtendedStyle = WS_EX_DLGMODALFRAME;
    tpl.head.cx = 300;
    tpl.head.cy = 170;
    static_assert(sizeof kNewInputFrmCaption <= sizeof tpl.title);
    std::memcpy(tpl.title, kNewInputFrmCaption, sizeof kNewInputFrmCaption);

    WizardInput result;
    Wizard w;
    w.input = &result;
    INT_PTR rc =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tpl.head, owner, DialogProc, reinterpret_cast<LPARAM>(&w));
    if (w.font) DeleteObject(w.font);
    for (HIMAGELIST glyph : w.glyphs) ImageList_Destroy(glyph);
    if (rc != IDOK) return false;
    input = result;
    return true;
}

}  // namespace cv2
