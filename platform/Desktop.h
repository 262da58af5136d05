#pragma once
// Windows of other programs: what target tracking, sending and the single-instance guard
// need of the desktop.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Types.h"

namespace cv2 {

// What decides whether a window in front can be a target.
struct WindowFacts {
    bool exists = false;
    bool ours = false;        // a window of this program's own process (a dialog, a message box, a menu)
    bool visible = false;     // WS_VISIBLE
    bool cloaked = false;     // hidden by the window manager although visible (DWMWA_CLOAKED)
    bool toolWindow = false;  // WS_EX_TOOLWINDOW: a floating palette, not a window to type into
    std::string className;    // code page 932
};

// Whether a window in front is one the user would paste into: not ours, shown, and not a
// part of the shell (the task bar, the desktop, Start, Search, the task switcher).
bool CanBeTarget(const WindowFacts& facts);

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual WindowHandle GetForegroundWindow() = 0;
    // The window's title in code page 932 as TitleThatFits(title, bufferBytes) cuts it;
    // empty for none or on failure.
    virtual std::string GetWindowText(WindowHandle window, int bufferBytes) = 0;
    // A failure changes nothing and is reported only by the result.
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    // First child of `parent` (the top-level windows for null) with that class and, when
    // `name` is given, that title; or null. Class and name are code page 932.
    virtual WindowHandle FindWindowEx(WindowHandle parent, const std::string& className, const std::string* name) = 0;
    // WM_PASTE, synchronously, answering messages sent to us meanwhile; gives up on a window
    // that does not answer in time or whose program hangs. False when it was not handled.
    virtual bool SendPaste(WindowHandle window) = 0;

    // Making sure a target takes the keystrokes meant for it.
    virtual bool IsWindow(WindowHandle window) = 0;
    // Restores a minimised window without waiting for its program (ShowWindowAsync).
    virtual void ShowRestored(WindowHandle window) = 0;
    // SetForegroundWindow with this thread's input attached to the foreground window's
    // thread for the moment of the call, which the system accepts where a plain call is
    // refused (another program took the foreground since our last input).
    virtual bool ForceForegroundWindow(WindowHandle window) = 0;
    // True when the window's thread has handled every message sent to it before this call
    // (a WM_NULL round trip of at most timeoutMs) and its active or focused window is set,
    // so that keystrokes queued now reach the control that has the focus in it.
    virtual bool HasHandledActivation(WindowHandle window, int timeoutMs) = 0;
    // The mandatory integrity level (the label's RID: 0x2000 medium, 0x3000 high) of the
    // process that owns the window, of this program's own process for window 0, or
    // kIntegrityUnknown when it cannot be read.
    virtual std::uint32_t IntegrityLevel(WindowHandle window) = 0;

    // The process that owns the window, or 0 when it cannot be told (no such window).
    virtual std::uint32_t ProcessOf(WindowHandle window) = 0;
    // What target tracking asks of a window in front.
    virtual WindowFacts Facts(WindowHandle window) = 0;

    // The input method of the control that has the focus in the target's thread: its default
    // IME window (0 when there is none), whether it is open (-1 when it cannot be told), and
    // opening or closing it (WM_IME_CONTROL, which works across processes).
    virtual WindowHandle FocusImeWindow(WindowHandle target) = 0;
    virtual int ImeOpenStatus(WindowHandle imeWindow) = 0;
    virtual bool SetImeOpenStatus(WindowHandle imeWindow, bool open) = 0;

    // Whether a press of a mouse button on one of our windows waits in this thread's queue:
    // the user clicked our window while we were busy.
    virtual bool OurWindowClicked() = 0;

    // A line for whoever watches the program's debug output (a benchmark, a debugger).
    virtual void Trace(const std::string& line) = 0;

    // For the single-instance guard.
    virtual WindowHandle FindTopLevelWindow(const std::string& className) = 0;
    virtual WindowHandle GetOwnerWindow(WindowHandle window) = 0;  // GWL_HWNDPARENT
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual void Restore(WindowHandle window) = 0;  // WM_SYSCOMMAND, SC_RESTORE, -1
};

inline constexpr std::uint32_t kIntegrityUnknown = 0xFFFFFFFFu;
inline constexpr std::uint32_t kIntegrityMedium = 0x2000;
inline constexpr std::uint32_t kIntegrityHigh = 0x3000;

// A title as a buffer of bufferBytes bytes takes it: at most bufferBytes - 1 bytes (room
// for the zero), and a double-byte character that does not fit whole is left out rather
// than cut in two. Empty for a buffer of no bytes.
std::string TitleThatFits(std::string_view title, int bufferBytes);

}  // namespace cv2
