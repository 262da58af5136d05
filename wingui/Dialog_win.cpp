#include "wingui/Dialog_win.h"

#include <algorithm>
#include <cstring>

#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "wingui/ErrorReport_win.h"
#include "wingui/UiFont_win.h"

namespace cv2 {

void PlaceWindow(HWND window, HWND owner, Placement placement) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    // A minimised owner's rectangle lies far off the screen; its monitor is still the one.
    RECT over{};
    const bool overOwner =
        placement == Placement::OverOwner && owner && !IsIconic(owner) && GetWindowRect(owner, &over);
    HMONITOR monitor = overOwner
                           ? MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST)
                           : MonitorFromWindow(owner, owner ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT work{};
    if (GetMonitorInfoW(monitor, &info))
        work = info.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (!overOwner) over = work;
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    // A narrow owner near the screen's edge would push the dialog partly off it.
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<WORD> EmptyDialogTemplate(const wchar_t* caption, DWORD style, DWORD exStyle) {
    static_assert(sizeof(DLGTEMPLATE) % sizeof(WORD) == 0);
    DLGTEMPLATE head{};
    head.style = style;
    head.dwExtendedStyle = exStyle;
    std::vector<WORD> words(sizeof head / sizeof(WORD), 0);
    std::memcpy(words.data(), &head, sizeof head);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (const wchar_t* p = caption; p && *p; ++p) words.push_back(static_cast<WORD>(*p));
    words.push_back(0);
    return words;
}

INT_PTR DialogBase::RunModal(HWND owner, const wchar_t* caption, DWORD exStyle) {
    owner_ = owner;
    // The template must be DWORD-aligned; vector storage is.
    const std::vector<WORD> words = EmptyDialogTemplate(caption, kFixedDialogStyle, exStyle);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
                                   Procedure, reinterpret_cast<LPARAM>(this));
}

void DialogBase::ReportException(const std::string& sjisMessage) {
    // The report's box runs a message loop of its own: an error that repeats on every
    // message would otherwise stack up box on box.
    if (reporting_) return;
    reporting_ = true;
    auto done = ScopeGuard([this] { reporting_ = false; });
    ReportError(hwnd_, sjisMessage);
}

int DialogBase::Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }

RECT DialogBase::Scale(const DesignRect& r) const {
    // Place and size each scaled on their own, as the designed sizes are the ones to keep.
    const int x = Scale(r.x), y = Scale(r.y);
    return {x, y, x + Scale(r.width), y + Scale(r.height)};
}

HWND DialogBase::AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, DesignRect place,
                            DWORD exStyle, bool withFont) {
    HWND control =
        CreateWindowExW(exStyle, cls, text, style | WS_CHILD, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) AddPlaced(control, place, withFont);
    return control;
}

void DialogBase::AddPlaced(HWND control, DesignRect place, bool withFont) {
    placed_.push_back({control, place, withFont});
    const RECT r = Scale(place);
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    if (withFont) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void DialogBase::SetClientSize(int width, int height, Placement placement) {
    clientWidth_ = width;
    clientHeight_ = height;
    SizeWindow(0, 0);
    PlaceWindow(hwnd_, owner_, placement);
}

void DialogBase::SizeWindow(int left, int top) {
    RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
    AdjustWindowRectForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame may still be drawn at the old resolution (Wine keeps a window's frame at the
    // system's whatever its monitor): the client area is what must come out as designed.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int dx = Scale(clientWidth_) - client.right, dy = Scale(clientHeight_) - client.bottom;
    if (dx || dy)
        SetWindowPos(hwnd_, nullptr, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogBase::ApplyDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls let go of the old font before it is deleted.
    UniqueFont oldFont = std::move(font_);
    font_ = CreateUiFont(Scale(kUiFontPixels));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (const Placed& p : placed_) {
        const RECT r = Scale(p.place);
        MoveWindow(p.control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        if (p.withFont) SendMessageW(p.control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    OnDpiChanged();
    // Windows suggests where the dialog goes; its size follows from the designed client area.
    SizeWindow(suggested.left, suggested.top);
    // The controls were moved without drawing: all of it anew, children included.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

INT_PTR DialogBase::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            dpi_ = DpiOfWindow(hwnd_);
            LeaveDpiChangesToTheDialog(hwnd_);
            font_ = CreateUiFont(Scale(kUiFontPixels));
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
            return OnInit() ? TRUE : FALSE;
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        default:
            return HandleMessage(msg, wParam, lParam);
    }
}

INT_PTR CALLBACK DialogBase::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogBase*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->placed_.clear();
        return FALSE;
    }
    return CatchAtEdge([&] { return self->Dispatch(msg, wParam, lParam); },
                       [&](const std::string& text) {
                           self->ReportException(text);
                           // A dialog that could not be built completely is no use to anyone.
                           if (msg == WM_INITDIALOG) EndDialog(hwnd, IDCANCEL);
                       },
                       static_cast<INT_PTR>(FALSE));
}

}  // namespace cv2
