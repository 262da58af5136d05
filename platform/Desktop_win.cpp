// Windows of other programs through the W functions; titles and class names cross this
// boundary in code page 932.
#include <windows.h>
#include <dwmapi.h>
#include <imm.h>

#include <vector>

#include "base/Cp932.h"
#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

// A diary that takes longer than this over a paste is taken for hung.
constexpr UINT kPasteMessageTimeoutMs = 2000;
constexpr UINT kImeMessageTimeoutMs = 500;
// DWMWA_CLOAKED, which the headers define only for Windows 8 and later.
constexpr DWORD kDwmwaCloaked = 14;
// WM_IME_CONTROL's commands to a default IME window, which MinGW's imm.h leaves out.
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;

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

    bool SendPaste(WindowHandle window) override {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(ToHwnd(window), WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, kPasteMessageTimeoutMs,
                                     &result) != 0;
    }

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

    std::uint32_t ProcessOf(WindowHandle window) override {
        DWORD pid = 0;
        if (window && ::GetWindowThreadProcessId(ToHwnd(window), &pid)) return pid;
        return 0;
    }

    WindowFacts Facts(WindowHandle window) override {
        WindowFacts facts;
        HWND h = ToHwnd(window);
        if (!h || !::IsWindow(h)) return facts;
        facts.exists = true;
        facts.ours = ProcessOf(window) == ::GetCurrentProcessId();
        facts.visible = ::IsWindowVisible(h) != 0;
        facts.toolWindow = (::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        // Windows 10 keeps the windows of other virtual desktops and suspended store apps
        // visible but cloaked. Where the attribute cannot be read (no composition), nothing is.
        DWORD cloaked = 0;
        facts.cloaked = SUCCEEDED(::DwmGetWindowAttribute(h, kDwmwaCloaked, &cloaked, sizeof cloaked)) && cloaked;
        wchar_t cls[256] = {};
        if (::GetClassNameW(h, cls, 256) > 0) facts.className = ToCp932(cls);
        return facts;
    }

    WindowHandle FocusImeWindow(WindowHandle target) override {
        HWND h = ToHwnd(target);
        if (!h || !::IsWindow(h)) return 0;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND focus =
            ::GetGUIThreadInfo(::GetWindowThreadProcessId(h, nullptr), &info) && info.hwndFocus ? info.hwndFocus : h;
        return FromHwnd(::ImmGetDefaultIMEWnd(focus));
    }

    int ImeOpenStatus(WindowHandle imeWindow) override {
        DWORD_PTR open = 0;
        if (!imeWindow || !::SendMessageTimeoutW(ToHwnd(imeWindow), WM_IME_CONTROL, kImcGetOpenStatus, 0,
                                                 SMTO_ABORTIFHUNG, kImeMessageTimeoutMs, &open))
            return -1;
        return open ? 1 : 0;
    }

    bool SetImeOpenStatus(WindowHandle imeWindow, bool open) override {
        DWORD_PTR result = 0;
        return imeWindow && ::SendMessageTimeoutW(ToHwnd(imeWindow), WM_IME_CONTROL, kImcSetOpenStatus, open ? 1 : 0,
                                                  SMTO_ABORTIFHUNG, kImeMessageTimeoutMs, &result) != 0;
    }

    bool OurWindowClicked() override {
        // Presses only: the release of the click that started a send may still be queued.
        // Peeking answers sent messages too, as every wait of a send does.
        MSG msg;
        for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN})
            if (::PeekMessageW(&msg, nullptr, press, press, PM_NOREMOVE)) return true;
        return false;
    }

    void Trace(const std::string& line) override { ::OutputDebugStringW(FromCp932(line).c_str()); }

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
};

}  // namespace

std::unique_ptr<Desktop> MakeWin32Desktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace cv2
