// Windows of other programs through the W functions; titles and class names cross this
// boundary in code page 932.
#include <windows.h>

#include <vector>

#include "base/Cp932.h"
#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h); }
WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

class Win32Desktop : public Desktop {
public:
    WindowHandle GetForegroundWindow() override { return FromHwnd(::GetForegroundWindow()); }

    std::string GetWindowText(WindowHandle window, int bufferBytes) override {
        if (!window || bufferBytes <= 0) return {};
        // Each byte of the narrow buffer holds at most one UTF-16 unit of the title, so a
        // wide buffer of the same count never cuts off anything that would have fitted.
        std::wstring wide(static_cast<std::size_t>(bufferBytes), L'\0');
        int n = ::GetWindowTextW(ToHwnd(window), wide.data(), bufferBytes);
        if (n <= 0) return {};
        wide.resize(static_cast<std::size_t>(n));
        return TitleThatFits(ToCp932(wide), bufferBytes);
    }

    bool SetForegroundWindow(WindowHandle window) override { return ::SetForegroundWindow(ToHwnd(window)) != 0; }

    WindowHandle FindWindowEx(WindowHandle parent, const std::string& className, const std::string* name) override {
        std::wstring cls = FromCp932(className);
        std::wstring title = name ? FromCp932(*name) : std::wstring();
        return FromHwnd(::FindWindowExW(ToHwnd(parent), nullptr, cls.c_str(), name ? title.c_str() : nullptr));
    }

    void SendPaste(WindowHandle window) override { ::SendMessageW(ToHwnd(window), WM_PASTE, 0, 0); }

    void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds)); }

    bool IsWindow(WindowHandle window) override { return window && ::IsWindow(ToHwnd(window)); }

    void ShowRestored(WindowHandle window) override { ::ShowWindowAsync(ToHwnd(window), SW_RESTORE); }

    bool ForceForegroundWindow(WindowHandle window) override {
        HWND target = ToHwnd(window);
        DWORD self = ::GetCurrentThreadId();
        HWND current = ::GetForegroundWindow();
        // Attaching costs the mouse input still queued for this thread (Wine gives the thread
        // the other's queue and drops its own): not for a target that is in front already.
        if (current == target) return true;
        DWORD foregroundThread = current ? ::GetWindowThreadProcessId(current, nullptr) : 0;
        // Attached, the two threads share one input state, and the system treats this
        // thread as the one that received the last input.
        bool attached =
            foregroundThread && foregroundThread != self && ::AttachThreadInput(self, foregroundThread, TRUE);
        BOOL ok = ::SetForegroundWindow(target);
        if (attached) ::AttachThreadInput(self, foregroundThread, FALSE);
        return ok != 0;
    }

    bool HasHandledActivation(WindowHandle window, int timeoutMs) override {
        if (timeoutMs <= 0) return false;
        HWND target = ToHwnd(window);
        DWORD_PTR result = 0;
        // Sent messages are handled in order, so this returns after the activation messages
        // that SetForegroundWindow sent that thread (Wine sends them; until they are handled,
        // input for that thread has no window to go to and is dropped).
        if (!::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &result))
            return false;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(target, nullptr), &info)) return true;  // cannot tell
        return info.hwndFocus != nullptr || info.hwndActive != nullptr;
    }

    std::uint64_t TickCount() override { return ::GetTickCount64(); }

    std::uint32_t IntegrityLevel(WindowHandle window) override {
        HANDLE process = ::GetCurrentProcess();  // a pseudo handle: not closed
        UniqueKernelHandle opened;
        if (window) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(ToHwnd(window), &pid);
            if (!pid) return kIntegrityUnknown;
            opened.reset(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
            if (!opened) return kIntegrityUnknown;
            process = opened.get();
        }
        HANDLE rawToken = nullptr;
        if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return kIntegrityUnknown;
        UniqueKernelHandle token(rawToken);
        DWORD size = 0;
        ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
        if (size < sizeof(TOKEN_MANDATORY_LABEL)) return kIntegrityUnknown;
        std::vector<unsigned char> buffer(size);
        auto* label = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data());
        if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, label, size, &size) || !label->Label.Sid ||
            !::IsValidSid(label->Label.Sid))
            return kIntegrityUnknown;
        const UCHAR count = *::GetSidSubAuthorityCount(label->Label.Sid);
        if (count == 0) return kIntegrityUnknown;
        return *::GetSidSubAuthority(label->Label.Sid, count - 1u);
    }

    WindowHandle FindTopLevelWindow(const std::string& className) override {
        std::wstring cls = FromCp932(className);
        return FromHwnd(::FindWindowW(cls.c_str(), nullptr));
    }

    WindowHandle GetOwnerWindow(WindowHandle window) override {
        return static_cast<WindowHandle>(::GetWindowLongPtrW(ToHwnd(window), GWLP_HWNDPARENT));
    }

    bool IsIconic(WindowHandle window) override { return ::IsIconic(ToHwnd(window)) != 0; }

    void Restore(WindowHandle window) override {
        ::SendMessageW(ToHwnd(window), WM_SYSCOMMAND, SC_RESTORE, static_cast<LPARAM>(-1));
    }

    bool IsOwnWindow(WindowHandle window) override {
        DWORD pid = 0;
        return window && ::GetWindowThreadProcessId(ToHwnd(window), &pid) && pid == ::GetCurrentProcessId();
    }
};

}  // namespace

std::unique_ptr<Desktop> MakeWin32Desktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace cv2
