#include <windows.h>
#include <shellapi.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

class Win32Shell : public Shell {
public:
    long long Open(WindowHandle owner, const std::string& file) override {
        HINSTANCE result = ShellExecuteW(ToHwnd(owner), L"OPEN", FromCp932(file).c_str(), L"", L"", SW_SHOW);
        return static_cast<long long>(reinterpret_cast<INT_PTR>(result));
    }
    long long OpenDocument(WindowHandle owner, const std::wstring& path) override {
        HINSTANCE result = ShellExecuteW(ToHwnd(owner), L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
        return static_cast<long long>(reinterpret_cast<INT_PTR>(result));
    }
    bool WinHelp(WindowHandle owner, const std::wstring& helpFile, unsigned command, unsigned long long data) override {
        return ::WinHelpW(ToHwnd(owner), helpFile.c_str(), command, static_cast<ULONG_PTR>(data)) != FALSE;
    }
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace cv2
