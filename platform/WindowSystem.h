#pragma once
// Windows of other programs and synthesized input: what target tracking, sending and the
// single-instance guard need of the desktop.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Types.h"

namespace cv2 {

// One synthesized keyboard event. A virtual key goes out with scan code 0 and no extra
// information; with `unicode`, `key` is one UTF-16 unit typed as such (KEYEVENTF_UNICODE,
// virtual key 0), whatever the keyboard layout.
struct KeyInput {
    std::uint16_t key = 0;
    bool release = false;
    bool unicode = false;
};

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
    // Appends the events to the input stream as one batch (SendInput), so that no other
    // input comes between them. Returns how many went out, counted from the first: fewer
    // than asked when the system refused the rest (0 when input is blocked).
    virtual int SendKeys(const std::vector<KeyInput>& events) = 0;
    // Whether the virtual key is down at this moment (GetAsyncKeyState), the keys the user
    // holds included. The generic VK_SHIFT, VK_CONTROL and VK_MENU stand for either side.
    virtual bool IsKeyDown(std::uint16_t virtualKey) = 0;

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
};

inline constexpr std::uint32_t kIntegrityUnknown = 0xFFFFFFFFu;
inline constexpr std::uint32_t kIntegrityMedium = 0x2000;
inline constexpr std::uint32_t kIntegrityHigh = 0x3000;

// Virtual keys that the program synthesizes or looks at.
inline constexpr std::uint16_t kVkTab = 0x09;
inline constexpr std::uint16_t kVkReturn = 0x0D;
inline constexpr std::uint16_t kVkShift = 0x10;
inline constexpr std::uint16_t kVkControl = 0x11;
inline constexpr std::uint16_t kVkMenu = 0x12;  // Alt
inline constexpr std::uint16_t kVkV = 0x56;
inline constexpr std::uint16_t kVkLWin = 0x5B;
inline constexpr std::uint16_t kVkRWin = 0x5C;
inline constexpr std::uint16_t kVkLShift = 0xA0;
inline constexpr std::uint16_t kVkRShift = 0xA1;
inline constexpr std::uint16_t kVkLControl = 0xA2;
inline constexpr std::uint16_t kVkRControl = 0xA3;
inline constexpr std::uint16_t kVkLMenu = 0xA4;
inline constexpr std::uint16_t kVkRMenu = 0xA5;
// Unassigned: a key between an Alt or Windows key press and its release that no program
// acts on, so that the release does not open the menu bar or the Start menu.
inline constexpr std::uint16_t kVkUnassigned = 0xE8;

}  // namespace cv2
