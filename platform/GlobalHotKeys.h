#pragma once
// Keyboard shortcuts that reach a window of this program whichever program is in front
// (RegisterHotKey): the system tells the window the id of the hotkey pressed (WM_HOTKEY).
#include <cstdint>

#include "base/HotKey.h"
#include "base/Types.h"

namespace cv2 {

enum class HotKeyStatus {
    Ok,
    HeldByAnother,  // another hotkey has that key: another program's, or another id's of ours
    Failed,         // refused for another reason (a window that is gone, a key the system keeps)
};

struct HotKeyResult {
    HotKeyStatus status = HotKeyStatus::Ok;
    std::uint32_t error = 0;  // the system's error code, read right after the refusal
};

// ERROR_HOTKEY_ALREADY_REGISTERED.
inline constexpr std::uint32_t kErrorHotKeyHeld = 1409;

class GlobalHotKeys {
public:
    virtual ~GlobalHotKeys() = default;

    // Makes `key` (not none) the hotkey `id` of `window`, in place of the key that id had:
    // after a refusal the id has none. The key held down gives one press, not a press per
    // auto-repeat.
    virtual HotKeyResult Register(WindowHandle window, int id, const HotKey& key) = 0;
    // Gives up the hotkey `id` of `window`; harmless for an id that has none.
    virtual void Unregister(WindowHandle window, int id) = 0;
};

}  // namespace cv2
