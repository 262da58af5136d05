// The hotkey dialog driven inside its modal loop from the item menu's command, the keys it
// takes read back from the settings file; and WM_HOTKEY reaching the main window's handler.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "HotKey/HotKeyFrm_win.h"
#include "base/Cp932.h"
#include "settings/Ini.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/MessageLoop_win.h"
#include "tests/support/TreeShape.h"

namespace cv2 {
namespace {

using testing::DriveModal;
using testing::ExpectFinished;
using testing::InNewDialog;

HWND FieldOf(HWND dlg, HotKeyAction action) { return GetDlgItem(dlg, kHotKeyFieldId + static_cast<int>(action)); }

void SetField(HWND dlg, HotKeyAction action, WORD value) {
    SendMessageW(FieldOf(dlg, action), HKM_SETHOTKEY, value, 0);
}

void Click(HWND dlg, int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

class HotKeyFrmWin : public testing::MainWindowFixture {
protected:
    const std::wstring kUser = L"C:\\Data\\me.cv2";

    // The keys as the settings file of the user file has them after a save.
    std::string Stored() {
        frm().SaveSettings(kUser);
        const IniFile ini = IniFile::Parse(files.files[L"C:\\Data\\me.ini"]);
        std::string out;
        for (const char* key : {"SendNext", "Skip", "Back"})
            out += (out.empty() ? "" : "|") + ini.ReadString("HotKey", key, "?");
        return out;
    }
};

TEST_F(HotKeyFrmWin, OkStoresTheFieldsKeepsAFieldLeftAloneWholeAndRegisters) {
    // Win is a key the hotkey control cannot show: untouched, the field keeps it.
    files.files[L"C:\\Data\\me.ini"] = "[HotKey]\r\nSendNext=Ctrl+Win+V\r\n";
    frm().LoadSettings(kUser);
    std::wstring caption, label;
    ExpectFinished(DriveModal([&] { frm().HotKeyMenuClick(); }, {[&](HWND dlg) {
                                  caption = TextOf(dlg);
                                  label = TextOf(GetDlgItem(dlg, kHotKeyLabelId));
                                  EXPECT_EQ(GetFocus(), FieldOf(dlg, HotKeyAction::SendNext));
                                  EXPECT_TRUE(hotKeys.registered.empty()) << "free while the dialog is open";
                                  SetField(dlg, HotKeyAction::Skip, (HOTKEYF_CONTROL << 8) | VK_F9);
                                  Click(dlg, kHotKeyNoneId + static_cast<int>(HotKeyAction::Back));
                                  Click(dlg, IDOK);
                              }}));
    EXPECT_EQ(caption, L"ホットキーの設定");
    EXPECT_EQ(label, L"次を送る");
    EXPECT_EQ(Stored(), "Ctrl+Win+V|Ctrl+F9|None");
    EXPECT_EQ(hotKeys.KeyOf(window.Handle(), HotKeyIdOf(HotKeyAction::Skip)), (HotKey{VK_F9, kHotKeyCtrl}));
    EXPECT_EQ(hotKeys.registered.size(), 2u);
}

TEST_F(HotKeyFrmWin, AKeyForTwoActionsIsRefusedAndCancelKeepsTheOldKeys) {
    std::wstring message;
    bool stillOpen = false;
    ExpectFinished(DriveModal([&] { frm().HotKeyMenuClick(); },
                              {[&](HWND dlg) {
                                   SetField(dlg, HotKeyAction::Back, ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'N');
                                   PostMessageW(dlg, WM_COMMAND, IDOK, 0);
                               },
                               InNewDialog([&](HWND box) {
                                   message = TextOf(GetDlgItem(box, 0xFFFF));  // the message's static control
                                   PostMessageW(box, WM_COMMAND, IDOK, 0);
                               }),
                               InNewDialog([&](HWND dlg) {
                                   stillOpen = TextOf(dlg) == kHotKeyFrmCaption;
                                   PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
                               })}));
    EXPECT_EQ(ToCp932(message),
              "Ctrl+Alt+N が「飛ばす」と「戻る」の両方に設定されています。\n\r別々のキーにしてください。");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Stored(), "Ctrl+Alt+V|Ctrl+Alt+N|Ctrl+Alt+B");
}

TEST_F(HotKeyFrmWin, WmHotKeyMovesTheSelectionWhileAnotherProgramIsInFront) {
    testing::Build(frm().Tree(), "A|B|C");
    window.Select(frm().Tree().First());
    window.SetDown(ToolButton::Paste, true);
    desktop.windows[50] = {0, "Form", "応募フォーム"};
    desktop.foreground = 50;
    const LPARAM ctrlAltV = MAKELPARAM(MOD_CONTROL | MOD_ALT, 'V');
    SendMessageW(window.Hwnd(), WM_HOTKEY, HotKeyIdOf(HotKeyAction::SendNext), ctrlAltV);
    SendMessageW(window.Hwnd(), WM_HOTKEY, HotKeyIdOf(HotKeyAction::SendNext), ctrlAltV);
    EXPECT_EQ(window.Selection()->Text(), "C");
    SendMessageW(window.Hwnd(), WM_HOTKEY, HotKeyIdOf(HotKeyAction::Back), MAKELPARAM(MOD_CONTROL | MOD_ALT, 'B'));
    EXPECT_EQ(window.Selection()->Text(), "B");
    SendMessageW(window.Hwnd(), WM_HOTKEY, static_cast<WPARAM>(-1), 0);  // the system's own (IDHOT_SNAPWINDOW)
    EXPECT_EQ(window.Selection()->Text(), "B");
}

}  // namespace
}  // namespace cv2
