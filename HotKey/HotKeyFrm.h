#pragma once
// The hotkeys' actions, their keys as the settings file keeps them, and the rule the hotkey
// dialog (HotKeyFrm_win.cpp) holds a set of keys to, shared with the main window.
#include <array>
#include <string>

#include "base/HotKey.h"

namespace cv2 {

enum class HotKeyAction {
    SendNext,  // 次を送る: the selected item into the window in front, then the next row
    Skip,      // 飛ばす: the follow-up key only, then the next row
    Back,      // 戻る: back one field, then the previous row
};
inline constexpr int kHotKeyActionCount = 3;

// One key for each action, by action; a key of none leaves its action off.
using HotKeySet = std::array<HotKey, kHotKeyActionCount>;

struct HotKeyActionInfo {
    const char* caption;  // code page 932
    HotKey defaultKey;
};
inline constexpr std::array<HotKeyActionInfo, kHotKeyActionCount> kHotKeyActions{{
    {"次を送る", {'V', kHotKeyCtrl | kHotKeyAlt}},
    {"飛ばす", {'N', kHotKeyCtrl | kHotKeyAlt}},
    {"戻る", {'B', kHotKeyCtrl | kHotKeyAlt}},
}};

inline constexpr const HotKeyActionInfo& InfoOf(HotKeyAction action) {
    return kHotKeyActions[static_cast<int>(action)];
}

HotKeySet DefaultHotKeys();

// A key as the settings file keeps it: its name, or "None".
std::string StoredTextOf(const HotKey& key);
// The keys from their stored texts, by action: "None" or an empty text leaves the action
// off; a text that names no key fit for a hotkey (IsUsableHotKey) gives the action's
// default; a key that an earlier action has already leaves the later one off, so that one
// key never stands for two actions.
HotKeySet HotKeysFromStored(const std::array<std::string, kHotKeyActionCount>& texts);

// Why the dialog cannot take a set of keys, as the message to show; empty when it can.
std::string HotKeySetProblem(const HotKeySet& keys);

}  // namespace cv2
