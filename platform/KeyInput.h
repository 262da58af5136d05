#pragma once
// Synthesized keyboard input and the state of the keys.
#include <cstdint>
#include <vector>

namespace cv2 {

// One synthesized keyboard event. A virtual key goes out with scan code 0 and no extra
// information; with `unicode`, `key` is one UTF-16 unit typed as such (KEYEVENTF_UNICODE,
// virtual key 0), whatever the keyboard layout.
struct KeyEvent {
    std::uint16_t key = 0;
    bool release = false;
    bool unicode = false;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

class KeyInput {
public:
    virtual ~KeyInput() = default;

    // Appends the events to the input stream as one batch (SendInput), so that no other
    // input comes between them. Returns how many went out, counted from the first: fewer
    // than asked when the system refused the rest (0 when input is blocked).
    virtual int SendKeys(const std::vector<KeyEvent>& events) = 0;
    // Whether the virtual key is down at this moment (GetAsyncKeyState), the keys the user
    // holds included. The generic VK_SHIFT, VK_CONTROL and VK_MENU stand for either side.
    virtual bool IsKeyDown(std::uint16_t virtualKey) = 0;
};

// Virtual keys that the program synthesizes or looks at.
inline constexpr std::uint16_t kVkLButton = 0x01;
inline constexpr std::uint16_t kVkTab = 0x09;
inline constexpr std::uint16_t kVkReturn = 0x0D;
inline constexpr std::uint16_t kVkShift = 0x10;
inline constexpr std::uint16_t kVkControl = 0x11;
inline constexpr std::uint16_t kVkMenu = 0x12;  // Alt
inline constexpr std::uint16_t kVkEscape = 0x1B;
inline constexpr std::uint16_t kVkSpace = 0x20;
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
