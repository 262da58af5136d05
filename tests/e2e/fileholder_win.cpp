// Holds a file open the way a backup or virus-scanning program does, until told to let go.
//
// Usage: fileholder.exe shared|exclusive <file> <ready file> <release file>
// "shared" opens for reading with read, write and delete shared; "exclusive" shares nothing.
// Writes <ready file> once the file is open and closes it when <release file> appears.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 5) return 2;
    const std::wstring mode = argv[1];
    const DWORD share = mode == L"shared" ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    HANDLE file = CreateFileW(argv[2], GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    HANDLE ready = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    // Polled: the holder has no window, and a minute is the most any test holds it.
    for (int i = 0; i < 1200 && GetFileAttributesW(argv[4]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    CloseHandle(file);
    return 0;
}
