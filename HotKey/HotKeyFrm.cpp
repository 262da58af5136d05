#include "HotKey/HotKeyFrm.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace cv2 {
namespace {

constexpr std::string_view kStoredNone = "None";

// "None" in any case of its letters, or nothing at all.
bool IsNoneText(std::string_view text) {
    if (text.size() != kStoredNone.size()) return text.empty();
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] | 0x20) != (kStoredNone[i] | 0x20)) return false;
    return true;
}

std::string Quoted(HotKeyAction action) { return std::string("「") + InfoOf(action).caption + "」"; }

}  // namespace

HotKeySet DefaultHotKeys() {
    HotKeySet keys;
    for (int i = 0; i < kHotKeyActionCount; ++i) keys[i] = kHotKeyActions[i].defaultKey;
    return keys;
}

std::string StoredTextOf(const HotKey& key) { return key.IsNone() ? std::string(kStoredNone) : HotKeyName(key); }

HotKeySet HotKeysFromStored(const std::array<std::string, kHotKeyActionCount>& texts) {
    HotKeySet keys;
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        if (IsNoneText(texts[i])) continue;
        const std::optional<HotKey> key = ParseHotKey(texts[i]);
        keys[i] = key && IsUsableHotKey(*key) ? *key : kHotKeyActions[i].defaultKey;
        if (std::find(keys.begin(), keys.begin() + i, keys[i]) != keys.begin() + i) keys[i] = HotKey{};
    }
    return keys;
}

std::string HotKeySetProblem(const HotKeySet& keys) {
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        if (keys[i].IsNone()) continue;
        if (!IsUsableHotKey(keys[i]))
            return Quoted(action) + "の " + HotKeyName(keys[i]) +
                   " はホットキーにできません。\n\rCtrl か Alt と組み合わせてください。";
        for (int j = 0; j < i; ++j)
            if (keys[j] == keys[i])
                return HotKeyName(keys[i]) + " が" + Quoted(static_cast<HotKeyAction>(j)) + "と" + Quoted(action) +
                       "の両方に設定されています。\n\r別々のキーにしてください。";
    }
    return {};
}

}  // namespace cv2
