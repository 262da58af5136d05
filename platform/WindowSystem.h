#pragma once
// Windows of other programs and synthesized input: what target tracking, sending and the
// single-instance guard need of the desktop.
#include <string>

#include "platform/Types.h"

namespace cv2 {

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual WindowHandle GetForegroundWindow() = 0;
    // The window's title in code page 932, at most bufferBytes - 1 bytes (a double-byte
    // character that does not fit whole is left out); empty for none or on failure.
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
    // Appends one key press or release (virtual key, scan code 0, no extra info) to the
    // input stream; false when the system did not take it.
    virtual bool KeyEvent(unsigned char virtualKey, bool release) = 0;

    // For the single-instance guard.
    virtual WindowHandle FindTopLevelWindow(const std::string& className) = 0;
    virtual WindowHandle GetOwnerWindow(WindowHandle window) = 0;  // GWL_HWNDPARENT
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual void Restore(WindowHandle window) = 0;  // WM_SYSCOMMAND, SC_RESTORE, -1
};

// Virtual keys that the program synthesizes.
inline constexpr unsigned char kVkControl = 0x11;
inline constexpr unsigned char kVkV = 0x56;
inline constexpr unsigned char kVkTab = 0x09;
inline constexpr unsigned char kVkReturn = 0x0D;

}  // namespace cv2
