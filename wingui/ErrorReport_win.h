#pragma once
// The one edge where errors leave the Win32 code: what a window's or dialog's handler
// throws is caught there and shown as the general error report.
//
// Usage:
//   return CatchAtEdge([&] { return HandleMessage(msg, w, l); },
//                      [&](const std::string& text) { ReportError(hwnd, text); }, 0);
#include <windows.h>

#include <exception>
#include <string>

namespace cv2 {

// The report's text for an exception that carries none.
inline constexpr const char* kUnknownErrorText = "予期しないエラーが発生しました";

// The general error report (base/ErrorReport.h) over `owner`, through the system's
// message box. `sjisMessage` is code page 932.
void ReportError(HWND owner, const std::string& sjisMessage);

// Runs `body`; when it throws, `report` gets the error's text and `fallback` is returned.
// Nothing leaves, not even an error of the report itself.
template <typename Body, typename Report, typename Result>
Result CatchAtEdge(Body&& body, Report&& report, Result fallback) noexcept {
    std::string text;
    try {
        return body();
    } catch (const std::exception& e) {
        try {
            text = e.what();
        } catch (...) {}
    } catch (...) {}
    try {
        report(text.empty() ? std::string(kUnknownErrorText) : text);
    } catch (...) {}
    return fallback;
}

}  // namespace cv2
