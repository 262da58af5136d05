// The global hotkeys: registered while paste-into-target mode is on, each press sends into
// the window in front and moves the selection one row, and the dialog that sets the keys.
#include <algorithm>
#include <string_view>

#include "CV2MainFrm/CV2MainFrm.h"
#include "base/ErrorReport.h"
#include "base/Text.h"
#include "tree/VisibleRows.h"

namespace cv2 {
namespace {

constexpr std::string_view kHotKeySection = "HotKey";
constexpr std::string_view kHotKeySettingsKeys[kHotKeyActionCount] = {"SendNext", "Skip", "Back"};

}  // namespace

bool HotKeyActionOfId(int id, HotKeyAction& action) {
    const int index = id - kFirstHotKeyId;
    if (index < 0 || index >= kHotKeyActionCount) return false;
    action = static_cast<HotKeyAction>(index);
    return true;
}

void TCV2Frm::HotKeyPressed(HotKeyAction action) {
    if (!view_.IsDown(ToolButton::Paste)) return;
    // A press while one of our own windows is in front (this one, a dialog, a message box)
    // has no form to go to; nor has one with no window in front at all.
    Desktop& desktop = platform_.desktop;
    const WindowHandle front = desktop.GetForegroundWindow();
    if (!front || front == view_.Handle() || desktop.Facts(front).ours) return;
    Item* selected = view_.Selection();
    SendForHotKey(action, selected, hotKeys[static_cast<int>(action)]);
    Item* to = action == HotKeyAction::Back ? PreviousVisibleRow(tree_, selected) : NextVisibleRow(tree_, selected);
    if (to) view_.Select(to);
}

void TCV2Frm::HotKeyMenuClick() {
    // While the dialog is open the keys are free, so that its fields can take them.
    SyncHotKeys(false);
    HotKeySet keys = hotKeys;
    const bool ok = view_.ShowHotKeyDialog(keys);
    if (ok) {
        hotKeys = keys;
        // Keys just chosen are worth a word each, even where one was said before.
        reportedHotKeys.clear();
    }
    SyncHotKeys(view_.IsDown(ToolButton::Paste));
}

void TCV2Frm::SyncHotKeys(bool on) {
    const WindowHandle window = view_.Handle();
    // Every key that changes is given up before any is taken, so that two actions can swap
    // their keys.
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const HotKey wanted = on ? hotKeys[i] : HotKey{};
        if (registeredHotKeys[i] == wanted || registeredHotKeys[i].IsNone()) continue;
        platform_.hotKeys.Unregister(window, HotKeyIdOf(static_cast<HotKeyAction>(i)));
        registeredHotKeys[i] = HotKey{};
    }
    if (!on) return;
    std::string unavailable;
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const HotKey& key = hotKeys[i];
        if (key.IsNone() || registeredHotKeys[i] == key) continue;
        const HotKeyResult result = platform_.hotKeys.Register(window, HotKeyIdOf(static_cast<HotKeyAction>(i)), key);
        if (result.status == HotKeyStatus::Ok) {
            registeredHotKeys[i] = key;
            continue;
        }
        // Tried again at the next chance (another program may let go of it), said only once.
        if (std::find(reportedHotKeys.begin(), reportedHotKeys.end(), key) != reportedHotKeys.end()) continue;
        reportedHotKeys.push_back(key);
        if (!unavailable.empty()) unavailable += "\n\r";
        unavailable += result.status == HotKeyStatus::HeldByAnother
                           ? HotKeyName(key) + " は他のプログラムが使用中です"
                           : HotKeyName(key) + " をホットキーにできません（エラー " + IntToStr(result.error) + "）";
    }
    if (!unavailable.empty()) view_.ShowError(unavailable, kAppTitle);
}

void TCV2Frm::ReadHotKeySettings(const IniFile& ini) {
    std::array<std::string, kHotKeyActionCount> texts;
    for (int i = 0; i < kHotKeyActionCount; ++i)
        texts[i] = ini.ReadString(kHotKeySection, kHotKeySettingsKeys[i], StoredTextOf(kHotKeyActions[i].defaultKey));
    hotKeys = HotKeysFromStored(texts);
}

void TCV2Frm::WriteHotKeySettings(IniFile& ini) const {
    for (int i = 0; i < kHotKeyActionCount; ++i)
        ini.WriteString(kHotKeySection, kHotKeySettingsKeys[i], StoredTextOf(hotKeys[i]));
}

}  // namespace cv2
