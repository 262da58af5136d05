// Looks at other programs' windows for the end-to-end script, which cannot see inside a
// Wine desktop from X:
//   probe items <out>           screen centres "x y" of the main window's tree items, in order
//   probe box <out> <caption>   "found=1" and "text=..." of a message box with that caption,
//                               which it then closes with OK; "found=0" when there is none
//   probe focus <out>           "found=1" and "text=..." of the control that has the keyboard
//                               focus in the foreground window; "found=0" when there is none
//   probe close <out> <caption> asks the top-level window with that caption to close:
//                               "found=1", or "found=0" when there is none
//   probe clip <out>            "found=1" and "text=..." of the clipboard's Unicode text;
//                               "found=0" when it holds none or cannot be opened
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

HWND FindChildOfClass(HWND parent, const wchar_t* cls) {
    struct Search {
        const wchar_t* cls;
        HWND found;
    } s{cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto* search = reinterpret_cast<Search*>(p);
            wchar_t name[64] = {};
            GetClassNameW(h, name, 64);
            if (lstrcmpiW(name, search->cls) == 0) {
                search->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Item rectangles live in the tree's process: TVM_GETITEMRECT gets a RECT there.
Lines Items() {
    Lines out;
    HWND frame = FindWindowW(L"TCV2Frm", nullptr);
    HWND tree = frame ? FindChildOfClass(frame, WC_TREEVIEWW) : nullptr;
    if (!tree) return out;
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return out;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    int n = 0;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)))) {
        RECT r{};
        std::memcpy(&r, &item, sizeof item);
        SIZE_T done = 0;
        WriteProcessMemory(process, remote, &r, sizeof r, &done);
        if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote))) break;
        ReadProcessMemory(process, remote, &r, sizeof r, &done);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(tree, &p);
        out.emplace_back("item" + std::to_string(n++), std::to_string(p.x) + " " + std::to_string(p.y));
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return out;
}

Lines Box(const wchar_t* caption) {
    HWND box = FindWindowW(L"#32770", caption);
    if (!box) return {{"found", "0"}};
    std::string text;
    EnumChildWindows(
        box,
        [](HWND h, LPARAM p) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(h, cls, 32);
            if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextLengthW(h) > 0)
                *reinterpret_cast<std::string*>(p) += cv2::e2e::Utf8(cv2::e2e::TextOf(h));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return {{"found", "1"}, {"text", text}};
}

// WM_GETTEXT is marshalled between processes, unlike GetWindowText on another program's edit.
Lines Focus() {
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!foreground || !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) || !info.hwndFocus)
        return {{"found", "0"}};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(info.hwndFocus, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return {{"found", "0"}};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(info.hwndFocus, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    text.resize(copied < length ? copied : length);
    return {{"found", "1"}, {"text", cv2::e2e::Utf8(text)}};
}

Lines Close(const wchar_t* caption) {
    HWND window = FindWindowW(nullptr, caption);
    if (!window) return {{"found", "0"}};
    PostMessageW(window, WM_CLOSE, 0, 0);
    return {{"found", "1"}};
}

// Opened without a window of ours: a program that renders its text late sees no reader's
// process here, so this read does not count as its target taking the text.
Lines Clip() {
    bool open = false;
    for (int attempt = 0; attempt < 50 && !(open = OpenClipboard(nullptr)); ++attempt) Sleep(20);
    if (!open) return {{"found", "0"}};
    Lines out{{"found", "0"}};
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            const SIZE_T units = GlobalSize(data) / sizeof(wchar_t);
            SIZE_T n = 0;
            while (n < units && chars[n]) ++n;
            out = {{"found", "1"}, {"text", cv2::e2e::Utf8(std::wstring(chars, n))}};
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    std::wstring command = argv[1];
    Lines lines;
    if (command == L"items")
        lines = Items();
    else if (command == L"box" && argc > 3)
        lines = Box(argv[3]);
    else if (command == L"focus")
        lines = Focus();
    else if (command == L"close" && argc > 3)
        lines = Close(argv[3]);
    else if (command == L"clip")
        lines = Clip();
    else
        return 2;
    cv2::e2e::WriteLog(argv[2], lines);
    return 0;
}
