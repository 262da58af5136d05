// The about box: a fixed-size modal dialog that paints its panel, icon and labels itself
// and has one real control, the OK button. The links are painted labels; a click on one
// goes to TAboutBox.
#include "About/AboutBox_win.h"

#include <algorithm>
#include <optional>
#include <string>

#include "About/About.h"
#include "base/Cp932.h"
#include "wingui/Dialog_win.h"
#include "wingui/Dpi.h"
#include "wingui/ImageList_win.h"
#include "wingui/UiFont_win.h"

namespace cv2 {
namespace {

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 180;
constexpr RECT kPanel{8, 8, 8 + 281, 8 + 129};
constexpr int kProductFontHeight = 19;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr DesignRect kOkPlace{111, 148, 75, 25};

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

RECT Scaled(const RECT& r, int dpi) {
    return {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi), ScaleForDpi(r.bottom, dpi)};
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

class AboutDialog : public DialogBase {
public:
    AboutDialog(Shell& shell, HWND owner) : shell_(shell), owner_(owner) {}

protected:
    bool OnInit() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override { MakeResolutionParts(); }

private:
    // Fonts, icon and link places at the dialog's resolution.
    void MakeResolutionParts();
    void LoadProgramIcon();
    void Paint();
    Link LinkAt(POINT p) const;

    Shell& shell_;
    HWND owner_;
    std::optional<TAboutBox> box_;  // made when the box has its window
    UniqueFont linkFont_;
    UniqueFont productFont_;
    UniqueIcon ownIcon_;
    HICON icon_ = nullptr;  // ownIcon_, or one the system keeps
    RECT mailRect_{};
    RECT homeRect_{};
    Link pressed_ = Link::None;
};

bool AboutDialog::OnInit() {
    box_.emplace(shell_, reinterpret_cast<WindowHandle>(Hwnd()));
    SetClientSize(kClientWidth, kClientHeight, Placement::OnOwnersScreen);
    MakeResolutionParts();
    HWND ok = AddControl(L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, kOkPlace);
    SendMessageW(Hwnd(), DM_SETDEFID, IDOK, 0);
    SetFocus(ok);
    return false;  // the focus is set
}

void AboutDialog::MakeResolutionParts() {
    const int dpi = Dpi();
    linkFont_ = CreateUiFont(Scale(kUiFontPixels), {FW_NORMAL, false, true});
    productFont_ = CreateUiFont(Scale(kProductFontHeight), {FW_BOLD, true, false});
    LoadProgramIcon();
    HDC dc = GetDC(Hwnd());
    mailRect_ = TextRect(dc, linkFont_.get(), FromCp932(box_->mailLabel), kMailPlace, dpi);
    homeRect_ = TextRect(dc, linkFont_.get(), FromCp932(box_->hpLabel), kHomePlace, dpi);
    ReleaseDC(Hwnd(), dc);
}

// The application's icon: drawn from the program's own pixel maps at the box's scale (the
// icon resource holds 32 and 16 pixels only, which the system would stretch), else the
// icon resource, else the owner's class icon, else the system's application icon.
void AboutDialog::LoadProgramIcon() {
    const int side = Scale(32);
    ownIcon_.reset(CreatePictureIcon(AppIconAt(side)));
    if (!ownIcon_)
        ownIcon_.reset(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
    icon_ = ownIcon_.get();
    if (!icon_ && owner_) icon_ = reinterpret_cast<HICON>(GetClassLongPtrW(owner_, GCLP_HICON));
    if (!icon_) icon_ = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

void AboutDialog::Paint() {
    const int dpi = Dpi();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    RECT panel = Scaled(kPanel, dpi);
    DrawEdge(dc, &panel, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
    const RECT iconRect = Scaled(kIconRect, dpi);
    if (icon_)
        DrawIconEx(dc, iconRect.left, iconRect.top, icon_, iconRect.right - iconRect.left,
                   iconRect.bottom - iconRect.top, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    HFONT font = Font();
    HFONT product = productFont_.get();
    DrawLabel(dc, product, kNavy, FromCp932(kAboutProductName),
              TextRect(dc, product, FromCp932(kAboutProductName), kProductPlace, dpi), false);
    DrawLabel(dc, font, text, FromCp932(kAboutVersion),
              TextRect(dc, font, FromCp932(kAboutVersion), kVersionPlace, dpi), true);
    DrawLabel(dc, font, text, FromCp932(kAboutCopyright),
              TextRect(dc, font, FromCp932(kAboutCopyright), kCopyrightPlace, dpi), true);
    DrawLabel(dc, linkFont_.get(), kBlue, FromCp932(box_->mailLabel), mailRect_, true);
    DrawLabel(dc, linkFont_.get(), kRed, FromCp932(box_->hpLabel), homeRect_, true);
    DrawLabel(dc, font, text, FromCp932(box_->comments),
              TextRect(dc, font, FromCp932(box_->comments), kCommentsPlace, dpi), false);
    EndPaint(Hwnd(), &ps);
}

Link AboutDialog::LinkAt(POINT p) const {
    if (PtInRect(&mailRect_, p)) return Link::Mail;
    if (PtInRect(&homeRect_, p)) return Link::Home;
    return Link::None;
}

INT_PTR AboutDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            if (!box_) return FALSE;
            Paint();
            return TRUE;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(Hwnd(), &p);
                if (LinkAt(p) != Link::None) {
                    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
                    SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
                    return TRUE;
                }
            }
            return FALSE;
        case WM_LBUTTONDOWN:
            pressed_ = LinkAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return TRUE;
        case WM_LBUTTONUP: {
            // A click: pressed and released on the same link.
            Link link = LinkAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            Link pressed = pressed_;
            pressed_ = Link::None;
            if (link == Link::None || link != pressed) return TRUE;
            bool opened = link == Link::Mail ? box_->MailLabelClick() : box_->HpLabelClick();
            if (opened) EndDialog(Hwnd(), IDOK);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(Hwnd(), LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner, Shell& shell) {
    AboutDialog dialog(shell, owner);
    dialog.RunModal(owner, FromCp932(kAboutCaption).c_str());
}

}  // namespace cv2
