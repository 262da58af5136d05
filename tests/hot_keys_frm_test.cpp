// The main window's hotkeys: their keys in the settings file, their registration following
// the paste button, the word about keys another program holds, the dialog, and what a
// press does.
#include <gtest/gtest.h>

#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kUserIni = L"C:\\Data\\me.ini";
constexpr unsigned kCtrlAlt = kHotKeyCtrl | kHotKeyAlt;
const HotKey kV{'V', kCtrlAlt}, kN{'N', kCtrlAlt}, kB{'B', kCtrlAlt};

class HotKeys : public ::testing::Test, public MainFrmFixture {
protected:
    void LoadFrom(const std::string& ini) {
        files.files[kUserIni] = ini;
        frm.LoadSettings(kUser);
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
    void SetPaste(bool down) {
        view.down[ToolButton::Paste] = down;
        frm.PasteBtnClick();
    }
    std::string Boxes() {
        std::string out;
        for (const auto& box : view.boxes) out += (out.empty() ? "" : " / ") + box.text;
        return out;
    }
};

TEST_F(HotKeys, KeysComeFromTheSettingsFileWithDefaultsForMissingAndBadValues) {
    LoadFrom("");
    EXPECT_EQ(frm.HotKeys(), DefaultHotKeys());
    EXPECT_EQ(Registered(), "Ctrl+Alt+V|Ctrl+Alt+N|Ctrl+Alt+B");

    LoadFrom("[HotKey]\r\nSendNext=Ctrl+Shift+F5\r\nSkip=None\r\nBack=B\r\n");
    EXPECT_EQ(Registered(), "Ctrl+Shift+F5|-|Ctrl+Alt+B");
    BuildSmallTree();
    frm.SaveSettings(kUser);
    const IniFile ini = IniFile::Parse(files.files[kUserIni]);
    EXPECT_EQ(ini.ReadString("HotKey", "SendNext", ""), "Ctrl+Shift+F5");
    EXPECT_EQ(ini.ReadString("HotKey", "Skip", ""), "None");
    EXPECT_EQ(ini.ReadString("HotKey", "Back", ""), "Ctrl+Alt+B");

    MainFrmFixture next;
    next.files.files[kUserIni] = files.files[kUserIni];
    next.frm.LoadSettings(kUser);
    EXPECT_EQ(next.frm.HotKeys(), frm.HotKeys());
}

TEST_F(HotKeys, RegisteredExactlyWhileThePasteButtonIsDown) {
    LoadFrom("[ToolBtn]\r\nPasteBtn=0\r\n");
    EXPECT_EQ(Registered(), "-|-|-");
    SetPaste(true);
    EXPECT_EQ(Registered(), "Ctrl+Alt+V|Ctrl+Alt+N|Ctrl+Alt+B");
    SetPaste(false);
    EXPECT_EQ(Registered(), "-|-|-");
    SetPaste(true);
    frm.FormDestroy();
    EXPECT_EQ(Registered(), "-|-|-") << "the window takes its hotkeys with it";

    // A load that stops before the paste button's handler (a bad TabEnter) still registers.
    MainFrmFixture stopped;
    stopped.files.files[kUserIni] = "[ToolBtn]\r\nPasteBtn=1\r\n[Menu]\r\nTabEnter=7\r\n";
    stopped.frm.LoadSettings(kUser);
    EXPECT_EQ(stopped.hotKeys.registered.size(), 3u);
}

TEST_F(HotKeys, KeysAnotherProgramHoldsAreNamedOnceAndTheOthersWork) {
    hotKeys.heldElsewhere = {kV, kB};
    LoadFrom("");
    EXPECT_EQ(Registered(), "-|Ctrl+Alt+N|-");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Ctrl+Alt+V は他のプログラムが使用中です\n\rCtrl+Alt+B は他のプログラムが使用中です");
    EXPECT_EQ(view.boxes[0].caption, "Corvell2！");
    SetPaste(false);
    SetPaste(true);
    LoadFrom("");
    EXPECT_EQ(view.boxes.size(), 1u) << "not at every toggle or load";
    // The other program lets go of one: the next toggle takes it, silently.
    hotKeys.heldElsewhere = {kB};
    SetPaste(false);
    SetPaste(true);
    EXPECT_EQ(Registered(), "Ctrl+Alt+V|Ctrl+Alt+N|-");
    EXPECT_EQ(view.boxes.size(), 1u);
}

TEST_F(HotKeys, TheDialogFreesTheKeysWhileOpenAndOkTakesAndNamesTheNewOnes) {
    LoadFrom("");
    std::string whileOpen;
    view.whileHotKeyDialogOpen = [&] { whileOpen = Registered(); };
    const HotKey f9{0x78, kCtrlAlt};
    view.hotKeyDialogAnswers.push_back({false, HotKeySet{f9, f9, f9}});
    frm.HotKeyMenuClick();
    EXPECT_EQ(whileOpen, "-|-|-") << "so that the dialog's fields can take them";
    EXPECT_EQ(Registered(), "Ctrl+Alt+V|Ctrl+Alt+N|Ctrl+Alt+B") << "Cancel";
    ASSERT_EQ(view.hotKeyDialogShown.size(), 1u);
    EXPECT_EQ(view.hotKeyDialogShown[0], DefaultHotKeys());

    // OK with a key another program holds and one the system refuses: said at once, though
    // the held key was named before.
    hotKeys.heldElsewhere = {kN};
    SetPaste(false);
    SetPaste(true);
    ASSERT_EQ(view.boxes.size(), 1u);
    view.hotKeyDialogAnswers.push_back({true, HotKeySet{kN, f9, HotKey{}}});
    frm.HotKeyMenuClick();
    EXPECT_EQ(frm.HotKeys(), (HotKeySet{kN, f9, HotKey{}}));
    EXPECT_EQ(Registered(), "-|Ctrl+Alt+F9|-");
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[1].text, "Ctrl+Alt+N は他のプログラムが使用中です");

    hotKeys.refuseWith = 5;
    view.hotKeyDialogAnswers.push_back({true, HotKeySet{kV, HotKey{}, HotKey{}}});
    frm.HotKeyMenuClick();
    ASSERT_EQ(view.boxes.size(), 3u);
    EXPECT_EQ(view.boxes[2].text, "Ctrl+Alt+V をホットキーにできません（エラー 5）");
}

TEST_F(HotKeys, TwoActionsSwapTheirKeysWithoutAWordOfConflict) {
    LoadFrom("");
    LoadFrom("[HotKey]\r\nSendNext=Ctrl+Alt+N\r\nSkip=Ctrl+Alt+V\r\n");
    EXPECT_EQ(Registered(), "Ctrl+Alt+N|Ctrl+Alt+V|Ctrl+Alt+B");
    EXPECT_EQ(Boxes(), "");
}

class HotKeyPresses : public HotKeys {
protected:
    static constexpr WindowHandle kForm = 50;
    static constexpr WindowHandle kOurDialog = 60;

    void SetUp() override {
        Build(tree(), "A+|.a1|.a2|B|.b1|C");  // rows: A a1 a2 B C
        view.selection = Find("A");
        view.down[ToolButton::Paste] = true;
        desktop.windows[kForm] = {0, "Form", "応募フォーム"};
        desktop.windows[kOurDialog] = {0, "#32770", "ホットキーの設定", false, 0, true};
        desktop.foreground = kForm;
    }
    // Each press, then the selection's text after it.
    std::string Press(std::initializer_list<HotKeyAction> actions) {
        std::string out;
        for (HotKeyAction a : actions) {
            frm.HotKeyPressed(a);
            out += (out.empty() ? "" : " ") + (view.selection ? view.selection->Text() : std::string("-"));
        }
        return out;
    }
};

TEST_F(HotKeyPresses, EachPressMovesTheSelectionOneVisibleRow) {
    using enum HotKeyAction;
    EXPECT_EQ(Press({SendNext, Skip, Back, SendNext, SendNext, SendNext, Skip}), "a1 a2 a1 a2 B C C");
    EXPECT_EQ(Press({Back, Back, Back, Back, Back, Back}), "B a2 a1 A A A");
    view.selection = nullptr;
    EXPECT_EQ(Press({SendNext}), "A") << "without a selection the first row";
}

TEST_F(HotKeyPresses, NothingHappensOutsidePasteModeOrWhileAWindowOfOursIsInFront) {
    using enum HotKeyAction;
    for (WindowHandle front : {kOurDialog, view.handle, WindowHandle{0}}) {
        desktop.foreground = front;
        EXPECT_EQ(Press({SendNext, Back}), "A A") << front;
    }
    desktop.foreground = kForm;
    view.down[ToolButton::Paste] = false;
    EXPECT_EQ(Press({SendNext, Skip}), "A A");
}

TEST(HotKeyIds, EachActionHasAnIdOfItsOwnAndOtherIdsNone) {
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        HotKeyAction action{};
        ASSERT_TRUE(HotKeyActionOfId(HotKeyIdOf(static_cast<HotKeyAction>(i)), action));
        EXPECT_EQ(static_cast<int>(action), i);
    }
    HotKeyAction action{};
    for (int id : {-1, -2, 0, kFirstHotKeyId - 1, kFirstHotKeyId + kHotKeyActionCount})
        EXPECT_FALSE(HotKeyActionOfId(id, action)) << id;
}

}  // namespace
}  // namespace cv2::testing
