#pragma once
// A thin base for the program's own windows.
//
// The window procedure finds its object through GWLP_USERDATA, stored at WM_NCCREATE and
// cleared at WM_NCDESTROY, and hands each message to HandleMessage. No exception ever
// leaves a window procedure: one that reaches the edge goes to ReportException (by
// default the general error report, wingui/ErrorReport_win.h) and the message gets its
// default answer.
//
// Usage:
//   class MyWindow : public WindowBase {
//       LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override { ... return Default(msg, w, l); }
//   };
//   WindowBase::RegisterWindowClass(instance, L"MyClass", background);
//   window.CreateWindowFor(0, L"MyClass", L"Title", WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, instance);
#include <windows.h>

#include <string>

namespace cv2 {

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Hwnd() const { return hwnd_; }

    // Registers a class whose procedure is this base's; true also when it already exists.
    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HBRUSH background,
                                    HICON icon = nullptr);

    HWND CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                         int width, int height, HWND parent, HINSTANCE instance);

protected:
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // An error escaped a handler; the text is code page 932. Default: the general error
    // report over this window.
    virtual void ReportException(const std::string& sjisMessage);

    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd_, msg, wParam, lParam); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs a message through `body`, reporting what it throws.
    template <typename Body>
    LRESULT Guarded(Body&& body, LRESULT fallback) noexcept;

    HWND hwnd_ = nullptr;
};

}  // namespace cv2
