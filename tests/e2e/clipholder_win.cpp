// Holds the clipboard open, as a busy clipboard tool would: writes "held" to the file
// named by argument 1 once it has the clipboard, keeps it for argument 2 milliseconds
// (default 20000) and then lets go.
#include <windows.h>

#include "tests/e2e/E2eLog_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const wchar_t* ready = argc > 1 ? argv[1] : L"clipholder.ready";
    DWORD holdMs = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 20000;
    HWND owner = CreateWindowExW(0, L"STATIC", L"clipholder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ULONGLONG end = GetTickCount64() + 5000;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() > end) return 1;
        Sleep(20);
    }
    cv2::e2e::WriteLog(ready, {{"state", "held"}});
    Sleep(holdMs);
    CloseClipboard();
    cv2::e2e::WriteLog(ready, {{"state", "released"}});
    return 0;
}
