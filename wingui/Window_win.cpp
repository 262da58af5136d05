#include "wingui/Window_win.h"

#include <commctrl.h>

#include "wingui/ErrorReport_win.h"

namespace cv2 {

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The object goes first: the window must not call into it any more.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HBRUSH background, HICON icon) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

HWND WindowBase::CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                                 int y, int width, int height, HWND parent, HINSTANCE instance) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr, instance, this);
}

void WindowBase::ReportException(const std::string& sjisMessage) { ReportError(hwnd_, sjisMessage); }

template <typename Body>
LRESULT WindowBase::Guarded(Body&& body, LRESULT fallback) noexcept {
    return CatchAtEdge(
        body, [this](const std::string& text) { ReportException(text); }, fallback);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LRESULT result = self->Guarded([&] { return self->HandleMessage(msg, wParam, lParam); }, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    // A failed WM_CREATE must say so (-1). Anything else that failed counts as handled:
    // the default processing of, say, WM_CLOSE would go on to destroy the window.
    return self->Guarded([&] { return self->HandleMessage(msg, wParam, lParam); }, msg == WM_CREATE ? -1 : 0);
}

}  // namespace cv2
