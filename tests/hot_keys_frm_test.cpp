// The main window's hotkeys: keys from the settings file, registration following the paste
// button, the word about keys that cannot be had, the dialog, and what a press does.
#include <gtest/gtest.h>

#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kUserIni = L"C:\\Data\\me.ini";
const HotKey kV{'V', kHotKeyCtrl | kHotKeyAlt}, kN{'N', kHotKeyCtrl | kHotKeyAlt}, kF9{0x78, kHotKeyCtrl | kHotKeyAlt};
const char* const kAllDefaults = "Ctrl+Alt+V|Ctrl+Alt+N|Ctrl+Alt+B";

class HotKeys : public ::testing::Test, public MainFrmFixture {
protected:
    void LoadFrom(const std::string& ini) {
        files.files[kUserIni] = ini;
        frm.LoadSettings(kUser);
    }
    void SetPaste(bool down) {
        view.down[ToolButton::Paste] = down;
        frm.PasteBtnClick();
    }
    // The keys the main window holds, by action; "-" for none.
    std::string Registered() {
        std::string out;
        for (int i = 0; i < kHotKeyActionCount; ++i) {
            const HotKey key = hotKeys.KeyOf(view.handle, HotKeyIdOf(static_cast<HotKeyAction>(i)));
            out += (i ? "|" : "") + (key.IsNone() ? std::string("-") : HotKeyName(key));
        }
        return out;
    }
};

TEST_F(HotKeys, KeysComeFromTheSettingsFileAndGoBackThere) {
    LoadFrom("");
    EXPECT_EQ(Registered(), kAllDefaults);
    // Two actions swap their keys while registered.
    LoadFrom("[HotKey]\r\nSendNext=Ctrl+Alt+N\r\nSkip=Ctrl+Alt+V\r\n");
    EXPECT_EQ(Registered(), "Ctrl+Alt+N|Ctrl+Alt+V|Ctrl+Alt+B");
    EXPECT_TRUE(view.boxes.empty());
    LoadFrom("[HotKey]\r\nSendNext=Ctrl+Shift+F5\r\nSkip=None\r\n");
    frm.SaveSettings(kUser);
    const IniFile ini = IniFile::Parse(files.files[kUserIni]);
    EXPECT_EQ(ini.ReadString("HotKey", "SendNext", "") + "|" + ini.ReadString("HotKey", "Skip", "") + "|" +
                  ini.ReadString("HotKey", "Back", ""),
              "Ctrl+Shift+F5|None|Ctrl+Alt+B");
}

TEST_F(HotKeys, RegisteredWhilePasteModeIsOnAndAHeldKeyIsNamedOncePerStart) {
    hotKeys.heldElsewhere = {kV};
    LoadFrom("[ToolBtn]\r\nPasteBtn=0\r\n");
    EXPECT_EQ(Registered(), "-|-|-");
    SetPaste(true);
    EXPECT_EQ(Registered(), "-|Ctrl+Alt+N|Ctrl+Alt+B");
    SetPaste(false);
    SetPaste(true);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Ctrl+Alt+V は他のプログラムが使用中です");
    EXPECT_EQ(view.boxes[0].caption, "Corvell2！");
    // The other program lets go of it: the next toggle takes it.
    hotKeys.heldElsewhere.clear();
    SetPaste(false);
    SetPaste(true);
    EXPECT_EQ(Registered(), kAllDefaults);
    frm.FormDestroy();
    EXPECT_EQ(Registered(), "-|-|-");
    // A load that stops before the paste button's handler (a bad TabEnter) registers all the same.
    LoadFrom("[Menu]\r\nTabEnter=7\r\n");
    EXPECT_EQ(Registered(), kAllDefaults);
    EXPECT_EQ(view.boxes.size(), 1u);
}

TEST_F(HotKeys, TheDialogFreesTheKeysWhileOpenAndUnavailableNewKeysAreNamedAtOnce) {
    hotKeys.heldElsewhere = {kN};
    LoadFrom("");
    std::string whileOpen;
    view.whileHotKeyDialogOpen = [&] { whileOpen = Registered(); };
    view.hotKeyDialogAnswers = {{false, HotKeySet{}}, {true, HotKeySet{kN, kF9, HotKey{}}}};
    frm.HotKeyMenuClick();  // Cancel
    EXPECT_EQ(whileOpen, "-|-|-") << "so that the dialog's fields can take them";
    EXPECT_EQ(Registered(), "Ctrl+Alt+V|-|Ctrl+Alt+B");
    EXPECT_EQ(view.boxes.size(), 1u);
    // OK: the keys just chosen are named, the one named before too, in one box.
    hotKeys.heldElsewhere = {kN, kF9};
    frm.HotKeyMenuClick();
    EXPECT_EQ(frm.HotKeys(), (HotKeySet{kN, kF9, HotKey{}}));
    EXPECT_EQ(view.boxes.back().text,
              "Ctrl+Alt+N は他のプログラムが使用中です\n\rCtrl+Alt+F9 は他のプログラムが使用中です");
    hotKeys.heldElsewhere.clear();
    hotKeys.refuseWith = 5;
    view.hotKeyDialogAnswers = {{true, HotKeySet{kV, HotKey{}, HotKey{}}}};
    frm.HotKeyMenuClick();
    EXPECT_EQ(view.boxes.back().text, "Ctrl+Alt+V をホットキーにできません（エラー 5）");
}

TEST_F(HotKeys, APressMovesTheSelectionOneVisibleRowOnlyWhileAnotherProgramIsInFront) {
    Build(tree(), "A+|.a1|.a2|B|.b1|C");  // rows: A a1 a2 B C
    view.selection = Find("A");
    desktop.windows[50] = {0, "Form", "応募フォーム"};
    desktop.windows[60] = {0, "#32770", "ホットキーの設定"};
    desktop.windows[60].process = fakes::FakeDesktop::kOurProcess;
    auto press = [&](std::initializer_list<HotKeyAction> actions) {
        std::string out;
        for (HotKeyAction a : actions) {
            frm.HotKeyPressed(a);
            out += (out.empty() ? "" : " ") + (view.selection ? view.selection->Text() : std::string("-"));
        }
        return out;
    };
    using enum HotKeyAction;
    desktop.foreground = 50;
    EXPECT_EQ(press({SendNext}), "A") << "paste mode off";
    view.down[ToolButton::Paste] = true;
    for (WindowHandle ours : {WindowHandle{60}, view.handle, WindowHandle{0}}) {
        desktop.foreground = ours;
        EXPECT_EQ(press({SendNext, Back}), "A A") << ours;
    }
    desktop.foreground = 50;
    EXPECT_EQ(press({SendNext, Skip, Back, SendNext, SendNext, SendNext, Skip}), "a1 a2 a1 a2 B C C");
    EXPECT_EQ(press({Back, Back, Back, Back, Back}), "B a2 a1 A A");
    view.selection = nullptr;
    EXPECT_EQ(press({SendNext}), "A") << "without a selection the first row";
}

}  // namespace
}  // namespace cv2::testing
