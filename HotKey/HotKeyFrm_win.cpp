// The hotkey dialog: a hotkey control for each action, a button beside each that leaves the
// action without a key, OK and Cancel (the dialog manager's Enter and Escape included).
#include "HotKey/HotKeyFrm_win.h"

#include <commctrl.h>

#include "base/Cp932.h"
#include "wingui/Dialog_win.h"
#include "wingui/ImageList_win.h"
#include "wingui/Images.h"

namespace cv2 {
namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 164;
constexpr int kFirstRowTop = 34;
constexpr int kRowStep = 30;

class HotKeyDialog : public DialogBase {
public:
    explicit HotKeyDialog(HotKeySet& keys) : keys_(keys) {}

protected:
    bool OnInit() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override { SetGlyphs(); }

private:
    HWND Field(int action) const { return GetDlgItem(Hwnd(), kHotKeyFieldId + action); }
    void SetGlyphs();
    void Accept();

    HotKeySet& keys_;
    // What each field held when it was filled: a field left alone keeps its key whole, the
    // Win key included, which the control cannot show.
    WORD shown_[kHotKeyActionCount] = {};
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    UniqueImageList glyphs_[2];
};

bool HotKeyDialog::OnInit() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&icc);
    SetClientSize(kClientWidth, kClientHeight, Placement::OverOwner);
    AddControl(L"STATIC", L"直下に貼付けがオンの間に使えます。", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kHotKeyNoteId,
               {12, 10, 276, 16});
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const int top = kFirstRowTop + kRowStep * i;
        AddControl(L"STATIC", FromCp932(kHotKeyActions[i].caption).c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                   kHotKeyLabelId + i, {12, top + 4, 84, 16});
        HWND field = AddControl(HOTKEY_CLASSW, L"", WS_VISIBLE | WS_TABSTOP, kHotKeyFieldId + i, {100, top, 136, 22},
                                WS_EX_CLIENTEDGE);
        // A plain or only shifted key would take its character from every program: the
        // control adds Ctrl+Alt to it.
        SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
        SendMessageW(field, HKM_SETHOTKEY, ControlValueOf(keys_[i]), 0);
        shown_[i] = static_cast<WORD>(SendMessageW(field, HKM_GETHOTKEY, 0, 0));
        AddControl(L"BUTTON", L"なし", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kHotKeyNoneId + i, {242, top, 46, 22});
    }
    ok_ = AddControl(L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {132, 128, 75, 25});
    cancel_ = AddControl(L"BUTTON", L"Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, {213, 128, 75, 25});
    SetGlyphs();
    SetFocus(Field(0));
    return false;  // the focus is set
}

void HotKeyDialog::SetGlyphs() {
    const int side = Scale(kGlyphSize);
    const int which[2] = {kGlyphOk, kGlyphCancel};
    HWND buttons[2] = {ok_, cancel_};
    for (int b = 0; b < 2; ++b)
        if (UniqueImageList list = SetButtonGlyph(buttons[b], which[b], side, Scale(4))) glyphs_[b] = std::move(list);
}

void HotKeyDialog::Accept() {
    HotKeySet chosen;
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto value = static_cast<WORD>(SendMessageW(Field(i), HKM_GETHOTKEY, 0, 0));
        chosen[i] = value == shown_[i] ? keys_[i] : HotKeyFromControl(value);
    }
    const std::string problem = HotKeySetProblem(chosen);
    if (!problem.empty()) {
        MessageBoxW(Hwnd(), FromCp932(problem).c_str(), kHotKeyFrmCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    keys_ = chosen;
    EndDialog(Hwnd(), IDOK);
}

INT_PTR HotKeyDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id >= kHotKeyNoneId && id < kHotKeyNoneId + kHotKeyActionCount) {
        SendMessageW(Field(id - kHotKeyNoneId), HKM_SETHOTKEY, 0, 0);
        SetFocus(Field(id - kHotKeyNoneId));
        return TRUE;
    }
    if (id == IDOK) {
        Accept();
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(Hwnd(), IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ShowHotKeyFrm(HWND owner, HotKeySet& keys) {
    HotKeySet edited = keys;
    HotKeyDialog dialog(edited);
    if (dialog.RunModal(owner, kHotKeyFrmCaption) != IDOK) return false;
    keys = edited;
    return true;
}

}  // namespace cv2
