// Stands in for the browser: the end-to-end tests register it as the program that opens
// .html documents. It records the document it was asked to open in opened.txt beside
// itself (argument=the path) and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "tests/e2e/E2eLog_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::wstring log = self.substr(0, self.find_last_of(L"\\/") + 1) + L"opened.txt";
    std::string argument = argc > 1 ? cv2::e2e::Utf8(argv[1]) : std::string();
    cv2::e2e::WriteLog(log, {{"argument", argument}, {"arguments", std::to_string(argc - 1)}});
    LocalFree(argv);
    return 0;
}
