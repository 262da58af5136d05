#include "base/HotKey.h"

#include <array>

namespace cv2 {
namespace {

constexpr unsigned kHotKeyFShift = 0x01;
constexpr unsigned kHotKeyFControl = 0x02;
constexpr unsigned kHotKeyFAlt = 0x04;
constexpr unsigned kHotKeyFExt = 0x08;

constexpr unsigned kModAlt = 0x1;
constexpr unsigned kModControl = 0x2;
constexpr unsigned kModShift = 0x4;
constexpr unsigned kModWin = 0x8;

struct ModifierName {
    unsigned flag;
    std::string_view prefix;
};
// In the order the name lists them.
constexpr std::array<ModifierName, 4> kModifierNames{{
    {kHotKeyCtrl, "Ctrl+"},
    {kHotKeyAlt, "Alt+"},
    {kHotKeyShift, "Shift+"},
    {kHotKeyWin, "Win+"},
}};

struct KeyName {
    std::uint8_t key;
    std::string_view name;
};
// Keys whose name is not their character; letters, digits and F1..F24 are worked out.
// clang-format off
constexpr KeyName kKeyNames[] = {
    {0x03, "Break"}, {0x08, "Backspace"}, {0x09, "Tab"}, {0x0C, "Clear"}, {0x0D, "Enter"}, {0x13, "Pause"},
    {0x14, "CapsLock"}, {0x15, "カナ"}, {0x19, "漢字"}, {0x1B, "Esc"}, {0x1C, "変換"}, {0x1D, "無変換"},
    {0x20, "Space"}, {0x21, "PageUp"}, {0x22, "PageDown"}, {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"}, {0x2C, "PrintScreen"}, {0x2D, "Insert"}, {0x2E, "Delete"},
    {0x5D, "Apps"}, {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num ."}, {0x6F, "Num /"},
    {0x90, "NumLock"}, {0x91, "ScrollLock"},
    // The punctuation keys as the Japanese keyboard has them.
    {0xBA, ":"}, {0xBB, ";"}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "@"}, {0xDB, "["},
    {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "^"}, {0xE2, "ろ"},
};
// clang-format on

constexpr std::uint8_t kVkNumpad0 = 0x60;
constexpr std::uint8_t kVkF1 = 0x70;
constexpr int kFunctionKeys = 24;

// Keys the keyboard sends with the extended flag: the cursor block, the number pad's "/" and
// Num Lock, the application key.
bool IsExtendedKey(std::uint8_t key) {
    return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E || key == 0x6F || key == 0x90 || key == 0x5D;
}

bool IsModifierKey(std::uint8_t key) {
    return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C || (key >= 0xA0 && key <= 0xA5);
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

int HexDigit(char c) {
    c = UpperAscii(c);
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::uint8_t> KeyOfName(std::string_view name) {
    if (name.size() == 1) {
        const char c = UpperAscii(name[0]);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<std::uint8_t>(c);
    }
    for (const KeyName& k : kKeyNames)
        if (SameAscii(k.name, name)) return k.key;
    if (name.size() == 5 && SameAscii(name.substr(0, 4), "Num ") && name[4] >= '0' && name[4] <= '9')
        return static_cast<std::uint8_t>(kVkNumpad0 + (name[4] - '0'));
    if (name.size() >= 2 && name.size() <= 3 && UpperAscii(name[0]) == 'F') {
        int n = 0;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            n = n * 10 + (c - '0');
        }
        if (n >= 1 && n <= kFunctionKeys && name[1] != '0') return static_cast<std::uint8_t>(kVkF1 + n - 1);
        return std::nullopt;
    }
    if (name.size() >= 3 && name.size() <= 4 && name[0] == '0' && UpperAscii(name[1]) == 'X') {
        int value = 0;
        for (char c : name.substr(2)) {
            const int digit = HexDigit(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
        }
        if (value > 0) return static_cast<std::uint8_t>(value);
    }
    return std::nullopt;
}

}  // namespace

std::string VirtualKeyName(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    // Appended piece by piece: GCC 12 takes "literal" + std::string for an overlapping copy.
    std::string name;
    if (key >= kVkNumpad0 && key <= kVkNumpad0 + 9) {
        name = "Num ";
        name += static_cast<char>('0' + key - kVkNumpad0);
        return name;
    }
    if (key >= kVkF1 && key < kVkF1 + kFunctionKeys) {
        name = "F";
        name += std::to_string(key - kVkF1 + 1);
        return name;
    }
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return std::string(k.name);
    constexpr char kHex[] = "0123456789ABCDEF";
    name = "0x";
    name += kHex[key >> 4];
    name += kHex[key & 0xF];
    return name;
}

HotKey HotKeyFromControl(std::uint16_t value) {
    const auto key = static_cast<std::uint8_t>(value & 0xFF);
    if (key == 0) return {};
    const unsigned flags = value >> 8;
    unsigned modifiers = 0;
    if (flags & kHotKeyFControl) modifiers |= kHotKeyCtrl;
    if (flags & kHotKeyFAlt) modifiers |= kHotKeyAlt;
    if (flags & kHotKeyFShift) modifiers |= kHotKeyShift;
    return {key, modifiers};
}

std::uint16_t ControlValueOf(const HotKey& key) {
    if (key.IsNone()) return 0;
    unsigned flags = 0;
    if (key.modifiers & kHotKeyCtrl) flags |= kHotKeyFControl;
    if (key.modifiers & kHotKeyAlt) flags |= kHotKeyFAlt;
    if (key.modifiers & kHotKeyShift) flags |= kHotKeyFShift;
    if (IsExtendedKey(key.key)) flags |= kHotKeyFExt;
    return static_cast<std::uint16_t>(flags << 8 | key.key);
}

unsigned RegisterModifiersOf(const HotKey& key) {
    unsigned mod = 0;
    if (key.modifiers & kHotKeyCtrl) mod |= kModControl;
    if (key.modifiers & kHotKeyAlt) mod |= kModAlt;
    if (key.modifiers & kHotKeyShift) mod |= kModShift;
    if (key.modifiers & kHotKeyWin) mod |= kModWin;
    return mod;
}

HotKey HotKeyFromRegistered(unsigned modifiers, unsigned virtualKey) {
    if (virtualKey == 0 || virtualKey > 0xFF) return {};
    unsigned own = 0;
    if (modifiers & kModControl) own |= kHotKeyCtrl;
    if (modifiers & kModAlt) own |= kHotKeyAlt;
    if (modifiers & kModShift) own |= kHotKeyShift;
    if (modifiers & kModWin) own |= kHotKeyWin;
    return {static_cast<std::uint8_t>(virtualKey), own};
}

std::string HotKeyName(const HotKey& key) {
    if (key.IsNone()) return {};
    std::string name;
    for (const ModifierName& m : kModifierNames)
        if (key.modifiers & m.flag) name += m.prefix;
    return name + VirtualKeyName(key.key);
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
    HotKey key;
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName& m : kModifierNames) {
            if (text.size() > m.prefix.size() && SameAscii(text.substr(0, m.prefix.size()), m.prefix)) {
                key.modifiers |= m.flag;
                text.remove_prefix(m.prefix.size());
                found = true;
            }
        }
    }
    const std::optional<std::uint8_t> vk = KeyOfName(text);
    if (!vk) return std::nullopt;
    key.key = *vk;
    return key;
}

bool IsUsableHotKey(const HotKey& key) {
    return !key.IsNone() && !IsModifierKey(key.key) && (key.modifiers & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin)) != 0;
}

}  // namespace cv2
