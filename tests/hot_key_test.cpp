// A hotkey's numbers for the hotkey control and RegisterHotKey, its name, its stored form,
// and the rules a set of keys is held to.
#include <gtest/gtest.h>

#include "HotKey/HotKeyFrm.h"
#include "base/HotKey.h"

namespace cv2 {
namespace {

constexpr unsigned kCtrlAlt = kHotKeyCtrl | kHotKeyAlt;

struct Case {
    HotKey key;
    std::uint16_t control;  // HKM_GETHOTKEY
    unsigned registered;    // MOD_*
    const char* name;
};

// Every flag sits at another bit in each of the three forms, so a swap shows.
const Case kCases[] = {
    {{'V', kCtrlAlt}, 0x0656, 0x3, "Ctrl+Alt+V"},
    {{'7', kHotKeyCtrl | kHotKeyShift}, 0x0337, 0x6, "Ctrl+Shift+7"},
    {{0x70, kHotKeyAlt}, 0x0470, 0x1, "Alt+F1"},
    {{0x87, kCtrlAlt | kHotKeyShift}, 0x0787, 0x7, "Ctrl+Alt+Shift+F24"},
    // The cursor block is extended; the number pad's own keys are not, save its "/".
    {{0x25, kHotKeyCtrl}, 0x0A25, 0x2, "Ctrl+Left"},
    {{0x2E, kCtrlAlt}, 0x0E2E, 0x3, "Ctrl+Alt+Delete"},
    {{0x21, kHotKeyShift | kHotKeyAlt}, 0x0D21, 0x5, "Alt+Shift+PageUp"},
    {{0x64, kHotKeyCtrl}, 0x0264, 0x2, "Ctrl+Num 4"},
    {{0x6B, kHotKeyAlt}, 0x046B, 0x1, "Alt+Num +"},
    {{0x6F, kHotKeyAlt}, 0x0C6F, 0x1, "Alt+Num /"},
    {{0x20, kHotKeyCtrl | kHotKeyShift}, 0x0320, 0x6, "Ctrl+Shift+Space"},
    {{0x1C, kHotKeyCtrl}, 0x021C, 0x2, "Ctrl+変換"},
    {{0xBA, kCtrlAlt}, 0x06BA, 0x3, "Ctrl+Alt+:"},
    {{0xE2, kHotKeyCtrl}, 0x02E2, 0x2, "Ctrl+ろ"},
    {{0xE5, kHotKeyCtrl}, 0x02E5, 0x2, "Ctrl+0xE5"},
};

TEST(HotKey, ControlRegistrationAndNameFormsOfEachKey) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ControlValueOf(c.key), c.control);
        EXPECT_EQ(HotKeyFromControl(c.control), c.key);
        EXPECT_EQ(RegisterModifiersOf(c.key), c.registered);
        EXPECT_EQ(HotKeyFromRegistered(c.registered, c.key.key), c.key);
        EXPECT_EQ(HotKeyName(c.key), c.name);
        EXPECT_EQ(ParseHotKey(c.name), c.key);
    }
    // Win: registered and named, but the hotkey control has no flag for it.
    const HotKey win{'V', kHotKeyCtrl | kHotKeyWin};
    EXPECT_EQ(RegisterModifiersOf(win), 0xAu);
    EXPECT_EQ(HotKeyName(win), "Ctrl+Win+V");
    EXPECT_EQ(ControlValueOf(win), 0x0256);
    EXPECT_TRUE(HotKeyFromControl(0x0600).IsNone()) << "only modifiers pressed so far";
}

TEST(HotKey, NamesAreReadWhateverTheCaseAndOnlyKeysWithCtrlAltOrWinAreFitForAHotkey) {
    EXPECT_EQ(ParseHotKey("shift+ctrl+PAGEUP"), (HotKey{0x21, kHotKeyCtrl | kHotKeyShift}));
    for (const char* bad : {"", "Ctrl+", "Ctrl+Alt", "Ctrl+F25", "F0", "F01", "0x100", "0xZ1", "Ctrl-V", "Ctrl+VV"})
        EXPECT_FALSE(ParseHotKey(bad)) << bad;
    EXPECT_TRUE(IsUsableHotKey({'V', kHotKeyWin}));
    for (const HotKey& unfit : {HotKey{'V', 0}, HotKey{'V', kHotKeyShift}, HotKey{0x11, kCtrlAlt}, HotKey{}})
        EXPECT_FALSE(IsUsableHotKey(unfit)) << HotKeyName(unfit);
}

TEST(HotKeySet, StoredTextsComeBackAndBadOnesGiveWayToTheDefault) {
    const HotKey v{'V', kCtrlAlt}, n{'N', kCtrlAlt}, b{'B', kCtrlAlt}, f5{0x74, kHotKeyCtrl | kHotKeyShift};
    EXPECT_EQ(HotKeysFromStored({"Ctrl+Alt+V", "Ctrl+Alt+N", "Ctrl+Alt+B"}), DefaultHotKeys());
    EXPECT_EQ(HotKeysFromStored({"", "None", "nONE"}), HotKeySet{});
    // Not a key, a key no hotkey may have: the default.
    EXPECT_EQ(HotKeysFromStored({"Ctrl+Shift+F5", "garbage", "Shift+B"}), (HotKeySet{f5, n, b}));
    // A key an earlier action has leaves the later one without, the default included.
    EXPECT_EQ(HotKeysFromStored({"junk", "Ctrl+Alt+V", "Ctrl+Alt+N"}), (HotKeySet{v, HotKey{}, n}));
    const HotKeySet keys{f5, HotKey{}, v};
    EXPECT_EQ(HotKeysFromStored({StoredTextOf(keys[0]), StoredTextOf(keys[1]), StoredTextOf(keys[2])}), keys);
}

TEST(HotKeySet, TheDialogRefusesAKeyForTwoActionsAndAKeyNoHotkeyMayHave) {
    const HotKey v{'V', kCtrlAlt}, n{'N', kCtrlAlt};
    EXPECT_EQ(HotKeySetProblem(HotKeySet{v, HotKey{}, HotKey{}}), "");
    EXPECT_EQ(HotKeySetProblem(HotKeySet{HotKey{}, v, v}),
              "Ctrl+Alt+V が「飛ばす」と「戻る」の両方に設定されています。\n\r別々のキーにしてください。");
    EXPECT_EQ(HotKeySetProblem(HotKeySet{n, HotKey{'B', kHotKeyShift}, n}),
              "「飛ばす」の Shift+B はホットキーにできません。\n\rCtrl か Alt と組み合わせてください。");
}

}  // namespace
}  // namespace cv2
