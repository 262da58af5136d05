#pragma once
// Windows of other programs: what target tracking, sending and the single-instance guard
// need of the desktop.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Types.h"

namespace cv2 {

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
    // WM_PASTE, synchronously.
    virtual void SendPaste(WindowHandle window) = 0;
    // Blocks the calling (GUI) thread. Never called with a negative time.
    virtual void Sleep(int milliseconds) = 0;

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
    // Milliseconds since some fixed moment.
    virtual std::uint64_t TickCount() = 0;
    // The mandatory integrity level (the label's RID: 0x2000 medium, 0x3000 high) of the
    // process that owns the window, of this program's own process for window 0, or
    // kIntegrityUnknown when it cannot be read.
    virtual std::uint32_t IntegrityLevel(WindowHandle window) = 0;

    // For the single-instance guard.
    virtual WindowHandle FindTopLevelWindow(const std::string& className) = 0;
    virtual WindowHandle GetOwnerWindow(WindowHandle window) = 0;  // GWL_HWNDPARENT
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual void Restore(WindowHandle window) = 0;  // WM_SYSCOMMAND, SC_RESTORE, -1

    // For the hotkeys, which belong to other programs' windows only: whether the window is
    // one of this program's own process (the main window, a dialog, a message box, a menu).
    // False for null and for a window that is gone.
    virtual bool IsOwnWindow(WindowHandle window) = 0;
};

inline constexpr std::uint32_t kIntegrityUnknown = 0xFFFFFFFFu;
inline constexpr std::uint32_t kIntegrityMedium = 0x2000;
inline constexpr std::uint32_t kIntegrityHigh = 0x3000;

// A title as a buffer of bufferBytes bytes takes it: at most bufferBytes - 1 bytes (room
// for the zero), and a double-byte character that does not fit whole is left out rather
// than cut in two. Empty for a buffer of no bytes.
std::string TitleThatFits(std::string_view title, int bufferBytes);

}  // namespace cv2
