// Global hotkeys through RegisterHotKey and UnregisterHotKey.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32GlobalHotKeys : public GlobalHotKeys {
public:
    HotKeyResult Register(WindowHandle window, int id, const HotKey& key) override {
        HWND hwnd = reinterpret_cast<HWND>(window);
        // The system keeps an id's old key beside a new one (the old one must be given up
        // explicitly); only Windows Server 2003 replaced it.
        ::UnregisterHotKey(hwnd, id);
        ::SetLastError(0);
        if (::RegisterHotKey(hwnd, id, RegisterModifiersOf(key) | MOD_NOREPEAT, key.key)) return {};
        const DWORD error = ::GetLastError();
        return {error == ERROR_HOTKEY_ALREADY_REGISTERED ? HotKeyStatus::HeldByAnother : HotKeyStatus::Failed, error};
    }

    void Unregister(WindowHandle window, int id) override { ::UnregisterHotKey(reinterpret_cast<HWND>(window), id); }
};

}  // namespace

std::unique_ptr<GlobalHotKeys> MakeWin32GlobalHotKeys() { return std::make_unique<Win32GlobalHotKeys>(); }

}  // namespace cv2
