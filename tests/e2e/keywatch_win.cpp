// Watches for synthesized keystrokes anywhere on the desktop, without a window of its own
// that could be activated: a low-level keyboard hook counts the key events that a program
// injected (SendInput, keybd_event), whichever window they go to. The real keyboard (and
// xdotool, which comes through the X server) is not counted.
//   keywatch <log>
// The log: injected (events, presses and releases) and presses (the virtual-key codes
// pressed, in order), rewritten on each event; "ready=1" once the hook is in place.
#include <windows.h>

#include <string>

#include "tests/e2e/E2eLog_win.h"

namespace {

std::wstring g_log;
int g_injected = 0;
std::string g_presses;

void Log() {
    cv2::e2e::WriteLog(g_log, {{"ready", "1"}, {"injected", std::to_string(g_injected)}, {"presses", g_presses}});
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (key->flags & LLKHF_INJECTED)) {
        ++g_injected;
        if (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) {
            if (!g_presses.empty()) g_presses += ' ';
            g_presses += std::to_string(key->vkCode);
        }
        Log();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g_log = argc > 1 ? argv[1] : L"keywatch.log";
    // The hook is called on this thread, through its message loop.
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, instance, 0);
    if (!hook) return 1;
    Log();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}
