#pragma once
// The desktop's table of hotkeys: which window holds which key under which id, keys that
// other programs hold, windows that are gone, and a refusal a test can inject.
#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/GlobalHotKeys.h"

namespace cv2::fakes {

class FakeGlobalHotKeys : public GlobalHotKeys {
public:
    std::map<std::pair<WindowHandle, int>, HotKey> registered;
    std::vector<HotKey> heldElsewhere;  // keys other programs hold
    std::set<WindowHandle> gone;        // windows that no longer exist
    std::uint32_t refuseWith = 0;       // when set, every registration fails with this error

    HotKeyResult Register(WindowHandle window, int id, const HotKey& key) override {
        registered.erase({window, id});
        if (gone.count(window)) return {HotKeyStatus::Failed, kErrorInvalidWindow};
        if (refuseWith) return {HotKeyStatus::Failed, refuseWith};
        const bool held =
            std::find(heldElsewhere.begin(), heldElsewhere.end(), key) != heldElsewhere.end() ||
            std::any_of(registered.begin(), registered.end(), [&](const auto& r) { return r.second == key; });
        if (held) return {HotKeyStatus::HeldByAnother, kErrorHotKeyHeld};
        registered[{window, id}] = key;
        return {};
    }

    void Unregister(WindowHandle window, int id) override { registered.erase({window, id}); }

    // The key the window's id holds; none when it holds none.
    HotKey KeyOf(WindowHandle window, int id) const {
        auto it = registered.find({window, id});
        return it == registered.end() ? HotKey{} : it->second;
    }

    static constexpr std::uint32_t kErrorInvalidWindow = 1400;  // ERROR_INVALID_WINDOW_HANDLE
};

}  // namespace cv2::fakes
