#pragma once
// A keyboard shortcut that reaches the program whichever program is in front: a virtual key
// and the modifiers held with it, in the program's own terms; the numbers the hotkey control
// (HKM_GETHOTKEY) and RegisterHotKey speak; and the name the user reads ("Ctrl+Alt+V").
//
// Usage:
//   HotKey k{'V', kHotKeyCtrl | kHotKeyAlt};
//   HotKeyName(k);                       // "Ctrl+Alt+V"
//   ParseHotKey("Ctrl+Alt+V") == k;      // the name read back, as the settings file keeps it
//   RegisterHotKey(hwnd, id, RegisterModifiersOf(k) | MOD_NOREPEAT, k.key);
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cv2 {

// The program's own modifier flags (neither MOD_* nor HOTKEYF_*).
enum HotKeyModifier : unsigned {
    kHotKeyCtrl = 0x1,
    kHotKeyAlt = 0x2,
    kHotKeyShift = 0x4,
    kHotKeyWin = 0x8,
};
inline constexpr unsigned kHotKeyModifierMask = 0xF;

struct HotKey {
    std::uint8_t key = 0;    // virtual key; 0 is no hotkey at all
    unsigned modifiers = 0;  // HotKeyModifier flags

    bool IsNone() const { return key == 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

// The hotkey control's value (HKM_GETHOTKEY, HKM_SETHOTKEY): the virtual key in the low byte,
// HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4 and HOTKEYF_EXT 8 in the high byte. A value
// without a key (only modifiers pressed so far) is no hotkey.
HotKey HotKeyFromControl(std::uint16_t value);
// The control has no Win flag: a Win key is left out. Keys of the cursor block and their
// like carry HOTKEYF_EXT, without which the control names them as the number pad's keys.
std::uint16_t ControlValueOf(const HotKey& key);

// RegisterHotKey's modifiers (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8), without
// MOD_NOREPEAT; and the key a WM_HOTKEY names (the same modifiers in the low word of its
// lParam, the virtual key in the high word).
unsigned RegisterModifiersOf(const HotKey& key);
HotKey HotKeyFromRegistered(unsigned modifiers, unsigned virtualKey);

// "Ctrl+Alt+Shift+Win+" before the key's name: letters, digits, F1 to F24, the usual named
// keys ("Space", "PageUp", "Num 5", "変換"), the punctuation keys by what they type on the
// Japanese keyboard (":", "@", "ろ" for the key left of the right Shift), and any other key
// as its number ("0xE5"). Empty for no hotkey.
std::string HotKeyName(const HotKey& key);
// A virtual key's name alone, as HotKeyName gives it ("Tab", "Enter", "V", "0xE5").
std::string VirtualKeyName(std::uint8_t key);
// A name as HotKeyName writes it, the case of ASCII letters ignored; nothing for a text
// that names no key.
std::optional<HotKey> ParseHotKey(std::string_view text);

// Whether a key can serve as a global hotkey: a key that is not itself a modifier, held
// with Ctrl, Alt or Win. A plain or only shifted key would take its character away from
// every program while the hotkey is registered.
bool IsUsableHotKey(const HotKey& key);

}  // namespace cv2
