#include "send/KeyBatches.h"

#include "base/Cp932.h"
#include "base/HotKey.h"

namespace cv2 {
namespace {

bool IsCtrl(std::uint16_t k) { return k == kVkControl || k == kVkLControl || k == kVkRControl; }
bool IsShift(std::uint16_t k) { return k == kVkShift || k == kVkLShift || k == kVkRShift; }
bool IsAlt(std::uint16_t k) { return k == kVkMenu || k == kVkLMenu || k == kVkRMenu; }
bool IsWin(std::uint16_t k) { return k == kVkLWin || k == kVkRWin; }

}  // namespace

std::string KeyName(std::uint16_t key) {
    if (IsCtrl(key)) return "Ctrl";
    if (IsShift(key)) return "Shift";
    if (IsAlt(key)) return "Alt";
    if (IsWin(key)) return "Win";
    if (key == kVkUnassigned) return "Unassigned";
    return VirtualKeyName(static_cast<std::uint8_t>(key & 0xFF));
}

std::vector<KeyEvent> PasteChord() { return {Press(kVkControl), Press(kVkV), Release(kVkControl), Release(kVkV)}; }

std::vector<KeyEvent> KeyStroke(std::uint16_t key, bool shift) {
    if (shift) return {Press(kVkShift), Press(key), Release(key), Release(kVkShift)};
    return {Press(key), Release(key)};
}

std::vector<KeyEvent> TypedKeys(std::string_view text) {
    const std::wstring wide = FromCp932(text);
    std::vector<KeyEvent> keys;
    keys.reserve(wide.size() * 2);
    for (wchar_t c : wide) {
        // Code page 932 lies inside the BMP: every character is one UTF-16 unit.
        const auto unit = static_cast<std::uint16_t>(static_cast<unsigned>(c) & 0xFFFFu);
        keys.push_back({unit, false, true});
        keys.push_back({unit, true, true});
    }
    return keys;
}

std::vector<KeyEvent> HeldReleases(const std::function<bool(std::uint16_t)>& isDown, bool withCtrl) {
    std::vector<KeyEvent> releases;
    bool menuKey = false;
    for (std::uint16_t key : {kVkLShift, kVkRShift, kVkLMenu, kVkRMenu, kVkLWin, kVkRWin}) {
        if (!isDown(key)) continue;
        releases.push_back(Release(key));
        menuKey = menuKey || !IsShift(key);
    }
    // Some input sources set only the generic state.
    if (releases.empty() && isDown(kVkShift)) releases.push_back(Release(kVkShift));
    if (!menuKey && isDown(kVkMenu)) {
        releases.push_back(Release(kVkMenu));
        menuKey = true;
    }
    if (withCtrl) {
        const std::size_t before = releases.size();
        for (std::uint16_t key : {kVkLControl, kVkRControl})
            if (isDown(key)) releases.push_back(Release(key));
        if (releases.size() == before && isDown(kVkControl)) releases.push_back(Release(kVkControl));
    }
    if (releases.empty()) return releases;
    std::vector<KeyEvent> batch;
    if (menuKey) batch = {Press(kVkUnassigned), Release(kVkUnassigned)};
    batch.insert(batch.end(), releases.begin(), releases.end());
    return batch;
}

std::vector<KeyEvent> ReleasesStillDue(const std::vector<KeyEvent>& batch, int sent) {
    std::vector<KeyEvent> due;
    const std::size_t start = sent < 0 ? 0 : static_cast<std::size_t>(sent);
    for (std::size_t i = start; i < batch.size(); ++i) {
        const KeyEvent& e = batch[i];
        if (!e.release) continue;
        bool pressed = sent < 0;
        for (std::size_t j = 0; j < start && !pressed; ++j)
            pressed = !batch[j].release && batch[j].key == e.key && batch[j].unicode == e.unicode;
        if (pressed) due.push_back(e);
    }
    return due;
}

std::string DescribeKeys(const std::vector<KeyEvent>& batch) {
    std::string out;
    std::vector<std::string> held;  // modifier names, in the order they went down
    std::wstring typed;
    auto add = [&out](const std::string& token) {
        if (!out.empty()) out += ' ';
        out += token;
    };
    auto flushTyped = [&] {
        if (typed.empty()) return;
        std::string quoted = "\"";
        quoted += ToCp932(typed);
        quoted += '"';
        add(quoted);
        typed.clear();
    };
    for (const KeyEvent& e : batch) {
        if (e.unicode) {
            if (!e.release) typed.push_back(static_cast<wchar_t>(e.key));
            continue;
        }
        flushTyped();
        const std::string name = KeyName(e.key);
        const bool modifier = IsCtrl(e.key) || IsShift(e.key) || IsAlt(e.key) || IsWin(e.key);
        if (modifier && !e.release) {
            held.push_back(name);
        } else if (modifier) {
            bool wasHeld = false;
            for (auto it = held.begin(); it != held.end(); ++it)
                if (*it == name) {
                    held.erase(it);
                    wasHeld = true;
                    break;
                }
            if (!wasHeld) add(std::string(1, '^').append(name));  // the release of a key the user held
        } else if (!e.release) {
            std::string chord;
            for (const std::string& m : held) chord.append(m).append(1, '+');
            add(chord.append(name));
        }
    }
    flushTyped();
    return out;
}

}  // namespace cv2
