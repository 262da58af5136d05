#include "NewFrm/NewInputFrm_win.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "NewFrm/NewInputFrm.h"
#include "base/Cp932.h"
#include "wingui/Dialog_win.h"
#include "wingui/ImageList_win.h"

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

class WizardDialog : public DialogBase {
public:
    WizardDialog(WizardInput& input, Locale& locale, Ime& ime) : input_(input), ime_(ime), locale_(locale) {}

protected:
    bool OnInit() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override { SetGlyphs(); }

private:
    // FormCreate: every page's labels and fields, and the buttons.
    void FormCreate();
    // The buttons' glyphs at the dialog's resolution.
    void SetGlyphs();
    void SetPageState();
    void ReturnOrNext(int sender);
    void BirthdayExit();
    bool FocusLeftPicker(HWND picker) const;
    void Paint();
    void Collect();
    INT_PTR OnCommand(int id, int code, HWND control);
    void OnPickerNotify(const NMHDR& nm);

    WizardInput& input_;
    int page_ = 0;
    // The age the last exit from the birthday put into Old; cleared when the user changes it.
    std::string filledAge_;
    bool fillingAge_ = false;                         // Old is being set by BirthdayExit
    std::vector<std::pair<HWND, int>> pageControls_;  // every control of a page, with its page
    std::vector<UniqueImageList> glyphs_;             // in the order of kButtons
    Ime& ime_;                                        // the caller's ports
    Locale& locale_;
};

bool WizardDialog::OnInit() {
    FormCreate();
    SetPageState();  // FormShow
    // On a first run no other window of the program is shown yet: the wizard must come to
    // the front and take the keys itself.
    SetForegroundWindow(Hwnd());
    return false;  // the focus is set
}

void WizardDialog::FormCreate() {
    SetClientSize(kClientWidth, kClientHeight, Placement::OnOwnersScreen);
    for (const LabelSpec& l : kLabels) {
        HWND label = AddControl(L"STATIC", l.text, SS_LEFT | SS_NOPREFIX, -1,
                                {kPageLeft + l.x, RowTop(l.row) + kLabelDrop, 64, 14});
        pageControls_.emplace_back(label, l.page);
    }
    for (const FieldSpec& f : kFields) {
        const DesignRect place{kPageLeft + f.x, RowTop(f.row), f.width, kFieldHeight};
        HWND field;
        if (f.text) {
            field = AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, f.id, place, WS_EX_CLIENTEDGE);
            if (f.maxLength) SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(f.maxLength), 0);
        } else {
            field = AddControl(DATETIMEPICK_CLASSW, L"", WS_TABSTOP | DTS_LONGDATEFORMAT, f.id, place);
            SYSTEMTIME today;
            GetLocalTime(&today);
            today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
            SendMessageW(field, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&today));
        }
        SetWindowSubclass(field, FieldProc, 0, 0);
        pageControls_.emplace_back(field, f.page);
    }
    for (const ButtonSpec& b : kButtons)
        AddControl(L"BUTTON", b.caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.id,
                   {b.x, kButtonBandTop + kButtonTop, kButtonWidth, kButtonHeight});
    SetGlyphs();
    page_ = 0;
}

void WizardDialog::SetGlyphs() {
    std::vector<UniqueImageList> glyphs;
    for (const ButtonSpec& b : kButtons)
        glyphs.push_back(SetButtonGlyph(GetDlgItem(Hwnd(), b.id), b.glyph, Scale(kGlyphSize), Scale(2)));
    glyphs_ = std::move(glyphs);  // the buttons hold the new lists: the old ones go
}

void WizardDialog::SetPageState() {
    auto buttons = PageButtonsFor(page_);
    if (!buttons) return;
    for (auto [hwnd, page] : pageControls_) ShowWindow(hwnd, page == page_ ? SW_SHOWNA : SW_HIDE);
    HWND first = GetDlgItem(Hwnd(), kFirstFieldOfPage[page_]);
    // Focus first: a button that is being disabled must not hold it.
    SendMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    EnableWindow(GetDlgItem(Hwnd(), kIdReturnBtn), buttons->returnEnabled);
    EnableWindow(GetDlgItem(Hwnd(), kIdNextBtn), buttons->nextEnabled);
    EnableWindow(GetDlgItem(Hwnd(), kIdOkBtn), buttons->okEnabled);
    EnableWindow(GetDlgItem(Hwnd(), kIdCancelBtn), TRUE);
}

void WizardDialog::ReturnOrNext(int sender) {
    page_ = ReturnOrNextPage(page_, sender == kIdNextBtn);
    SetPageState();
}

void WizardDialog::BirthdayExit() {
    HWND old = GetDlgItem(Hwnd(), kIdOld);
    std::string text = GetText(old);
    std::string age =
        AgeAfterBirthdayExit(text, GetPickerDate(GetDlgItem(Hwnd(), kIdBirthday)), locale_.Today(), filledAge_);
    if (age == text) return;
    fillingAge_ = true;
    SetWindowTextW(old, FromCp932(age).c_str());
    fillingAge_ = false;
    filledAge_ = age;
    // Arriving in Old by keyboard selected its text before it was filled in.
    if (GetFocus() == old && GetKeyState(VK_LBUTTON) >= 0) SendMessageW(old, EM_SETSEL, 0, -1);
}

// Whether the focus has left the birthday picker for another field or button of the wizard.
// The picker also loses the focus when its calendar drops down (Wine notifies that before
// DTN_DROPDOWN) and when the user switches to another program; neither counts.
bool WizardDialog::FocusLeftPicker(HWND picker) const {
    HWND focus = GetFocus();
    if (!focus || focus == picker || IsChild(picker, focus)) return false;
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    if (calendar && (focus == calendar || IsChild(calendar, focus))) return false;
    return IsChild(Hwnd(), focus) != FALSE;
}

void WizardDialog::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT header{0, 0, Scale(kClientWidth), Scale(kHeaderHeight)};
    FillRect(dc, &header, GetSysColorBrush(COLOR_ACTIVECAPTION));
    HGDIOBJ oldFont = SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    TextOutW(dc, Scale(16), Scale(8), kHeaderText, static_cast<int>(wcslen(kHeaderText)));
    SelectObject(dc, oldFont);
    RECT pages{0, Scale(kHeaderHeight), Scale(kClientWidth), Scale(kButtonBandTop)};
    DrawEdge(dc, &pages, EDGE_RAISED, BF_RECT);
    EndPaint(Hwnd(), &ps);
}

void WizardDialog::Collect() {
    for (const FieldSpec& f : kFields) {
        HWND field = GetDlgItem(Hwnd(), f.id);
        if (f.text)
            input_.*f.text = GetText(field);
        else
            input_.Birthday = GetPickerDate(field);
    }
}

INT_PTR WizardDialog::OnCommand(int id, int code, HWND control) {
    // IDOK and IDCANCEL come from Enter and Escape with no button of theirs: ignored.
    if (code == BN_CLICKED && (id == kIdNextBtn || id == kIdReturnBtn)) {
        ReturnOrNext(id);
    } else if (code == BN_CLICKED && id == kIdOkBtn) {
        Collect();
        EndDialog(Hwnd(), IDOK);
    } else if (code == BN_CLICKED && id == kIdCancelBtn) {
        EndDialog(Hwnd(), IDCANCEL);
    } else if (code == EN_CHANGE && id == kIdOld) {
        if (!fillingAge_) filledAge_.clear();  // the user's own age from now on
    } else if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
        if (const FieldSpec* f = FindField(id)) {
            WindowHandle field = reinterpret_cast<WindowHandle>(control);
            if (code == EN_SETFOCUS) {
                // Arriving by keyboard selects the whole text, so that typing replaces it
                // (the age that leaving the birthday put there, too).
                if (GetKeyState(VK_LBUTTON) >= 0) SendMessageW(control, EM_SETSEL, 0, -1);
                ime_.Enter(field, f->ime);
            } else {
                ime_.Leave(field, f->ime);
            }
        }
    }
    return TRUE;
}

void WizardDialog::OnPickerNotify(const NMHDR& nm) {
    WindowHandle picker = reinterpret_cast<WindowHandle>(nm.hwndFrom);
    switch (nm.code) {
        case NM_SETFOCUS:
            ime_.Enter(picker, ImeMode::Off);
            break;
        case NM_KILLFOCUS:
            ime_.Leave(picker, ImeMode::Off);
            if (FocusLeftPicker(nm.hwndFrom)) BirthdayExit();
            break;
        case DTN_CLOSEUP:
            // A click on another field closes the calendar and takes the focus there
            // without the picker getting it back first.
            if (FocusLeftPicker(nm.hwndFrom)) BirthdayExit();
            break;
        default:
            break;
    }
}

INT_PTR WizardDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return TRUE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        case WM_NOTIFY: {
            const NMHDR* nm = reinterpret_cast<const NMHDR*>(lp);
            if (static_cast<int>(nm->idFrom) != kIdBirthday) return FALSE;
            OnPickerNotify(*nm);
            return TRUE;
        }
        case WM_CLOSE:
            EndDialog(Hwnd(), IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowNewInputFrm(HWND owner, WizardInput& input, Locale& locale, Ime& ime) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WizardInput result;
    WizardDialog dialog(result, locale, ime);
    if (dialog.RunModal(owner, kNewInputFrmCaption, WS_EX_DLGMODALFRAME) != IDOK) return false;
    input = result;
    return true;
}

}  // namespace cv2
