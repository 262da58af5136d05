// The wait-time dialog: Enter presses OK while the field has the focus, Escape and the
// close box cancel (the dialog manager's work, wingui/Dialog_win.h).
#include "Option/OptionFrm_win.h"

#include <commctrl.h>
#include <imm.h>

#include <cstdint>

#include "NumEdit/NumEdit_win.h"
#include "Option/OptionFrm.h"
#include "base/Cp932.h"
#include "wingui/Dialog_win.h"

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

class OptionDialog : public DialogBase {
public:
    explicit OptionDialog(std::string& text) : text_(text) {}

protected:
    bool OnInit() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override { SetPictures(); }

private:
    // The pictures at the dialog's resolution, given to their controls.
    void SetPictures();

    std::string& text_;
    HWND image_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    UniqueBitmap pictures_[3];
};

bool OptionDialog::OnInit() {
    SetClientSize(kClientWidth, kClientHeight, Placement::OverOwner);
    image_ = AddControl(L"STATIC", L"", WS_VISIBLE | SS_BITMAP, kOptionImage1Id, {8, 8, 16, 16}, 0, false);
    AddControl(L"STATIC", L"貼りつけが上手くいかない場合", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kOptionLabel1Id,
               {32, 8, 168, 14});
    AddControl(L"STATIC", L"設定して下さい。　例） 300", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kOptionLabel2Id,
               {32, 24, 168, 14});

    // First in the tab order.
    HWND edit = CreateNumEdit(Hwnd(), kOptionNumEdit1Id, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    AddPlaced(edit, {200, 16, 41, 20});
    SetWindowSubclass(edit, NumEdit1Proc, 1, 0);
    // Digits only: no input method in this field at all (the committed text of one that is
    // open anyway is filtered above).
    ImmAssociateContextEx(edit, nullptr, 0);
    SetWindowTextW(edit, FromCp932(text_).c_str());  // not subject to the typing limit
    SendMessageW(edit, EM_LIMITTEXT, kNumEdit1TypingLimit, 0);

    ok_ = AddControl(L"BUTTON", L"OK", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, {80, 48, 75, 25});
    cancel_ = AddControl(L"BUTTON", L"Cancel", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, {168, 48, 75, 25});
    SetPictures();

    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;  // the focus is set
}

void OptionDialog::SetPictures() {
    const int side = Scale(16);
    UniqueBitmap clock(MakePicture(kClockPicture, side));
    UniqueBitmap ok(MakePicture(kOkPicture, side));
    UniqueBitmap cancel(MakePicture(kCancelPicture, side));
    SendMessageW(image_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(clock.get()));
    // Shown beside the caption by the version 6 buttons; older ones keep the text alone.
    SendMessageW(ok_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(ok.get()));
    SendMessageW(cancel_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(cancel.get()));
    // The controls hold the new pictures now; the old ones can go.
    pictures_[0] = std::move(clock);
    pictures_[1] = std::move(ok);
    pictures_[2] = std::move(cancel);
}

INT_PTR OptionDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            HWND edit = GetDlgItem(Hwnd(), kOptionNumEdit1Id);
            if (id == kOptionNumEdit1Id && code == EN_KILLFOCUS) {
                // NumEdit1Exit. Enter closes the dialog while the field still has the focus,
                // so an emptied field reaches the conversion as it is.
                std::string text = ToCp932(WindowTextOf(edit));
                std::string exitText = NumEdit1Exit(text);
                if (exitText != text) SetWindowTextW(edit, FromCp932(exitText).c_str());
                return TRUE;
            }
            if (id == IDOK) {
                text_ = ToCp932(WindowTextOf(edit));
                EndDialog(Hwnd(), IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(Hwnd(), IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (HWND edit = GetDlgItem(Hwnd(), kOptionNumEdit1Id)) RemoveWindowSubclass(edit, NumEdit1Proc, 1);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowOptionFrm(HWND owner, std::string& text) {
    std::string edited = text;
    OptionDialog dialog(edited);
    if (dialog.RunModal(owner, kOptionFrmCaption) != IDOK) return false;
    text = edited;
    return true;
}

}  // namespace cv2
