// Reads the running main window for the main-window end-to-end script, which cannot see
// inside a Wine desktop from X:
//   treeprobe look <out>   the tree as one line ("text[+](children)", "+" for an expanded
//                          item), the selected item's text, each item's icon in pre-order,
//                          the screen centres of each visible row's label and +/- button
//                          and the index of its icon's image, the frame's size, the bars'
//                          heights, the status bar's
//                          text (the window an item goes to) and the screen centres of the
//                          tool buttons
//   treeprobe close <out> [caption]  asks the main window (or the window with that caption)
//                          to close; says its process id
//   treeprobe ended <out> <pid> [ms]  waits (20 s by default) for that process to end
//   treeprobe menus <out>  how many popup menus are open on the desktop (the menus of
//                          another program cannot be read, only seen)
//   treeprobe fields <out> <caption>  the window with that caption (a dialog): its screen
//                          rectangle, whether it is the active window, the id of the
//                          control with the focus, and each visible control's text (a date
//                          picker's date as yyyy/mm/dd) and screen rectangle, by id
//   treeprobe box <out> <caption>  whether a message box with that caption is open, and
//                          the screen centres of its buttons
//   treeprobe aside <out> <caption>  moves another program's window with that caption
//                          to the bottom of the screen
//   treeprobe run <out> <command line>  runs a program on the probe's desktop and waits
//   treeprobe serve <folder>  stays on the desktop and answers the same requests dropped
//                          in the folder as files (see ServeFolder). explorer /desktop=
//                          returns before the program it starts there has done anything,
//                          so a script that starts the probe anew for every look reads its
//                          answer too early; a probe that stays answers when it is done.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

HWND ChildOfClass(HWND parent, const wchar_t* cls, int skip = 0) {
    struct Search {
        const wchar_t* cls;
        int skip;
        HWND found;
    } s{cls, skip, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto* search = reinterpret_cast<Search*>(p);
            wchar_t name[64] = {};
            GetClassNameW(h, name, 64);
            if (lstrcmpiW(name, search->cls) != 0) return TRUE;
            if (search->skip-- > 0) return TRUE;
            search->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// A T in the other process, for messages that fill one in.
template <typename T>
class Remote {
public:
    explicit Remote(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) remote_ = VirtualAllocEx(process_, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE);
    }
    ~Remote() {
        if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    Remote(const Remote&) = delete;
    Remote& operator=(const Remote&) = delete;

    // Sends msg with wParam and the remote T (pre-filled with inOut) as lParam, reads it back
    // into inOut and gives what the message returned; false when there is no remote T.
    bool Call(HWND window, UINT msg, WPARAM wParam, T& inOut, LRESULT& result) {
        if (!remote_) return false;
        SIZE_T done = 0;
        WriteProcessMemory(process_, remote_, &inOut, sizeof inOut, &done);
        result = SendMessageW(window, msg, wParam, reinterpret_cast<LPARAM>(remote_));
        return ReadProcessMemory(process_, remote_, &inOut, sizeof inOut, &done) != 0;
    }
    // The same for a message that returns nonzero on success.
    bool Ask(HWND window, UINT msg, WPARAM wParam, T& inOut) {
        LRESULT result = 0;
        return Call(window, msg, wParam, inOut, result) && result != 0;
    }

private:
    HANDLE process_ = nullptr;
    void* remote_ = nullptr;
};
using RemoteRect = Remote<RECT>;

std::string TextOfItem(HWND tree, HTREEITEM item) {
    // The text lives in the other process too: read it through a remote TVITEMW.
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return {};
    constexpr SIZE_T kChars = 260;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    std::wstring text(kChars, L'\0');
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
    tv.cchTextMax = static_cast<int>(kChars);
    SIZE_T done = 0;
    WriteProcessMemory(process, remote, &tv, sizeof tv, &done);
    if (SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)))
        ReadProcessMemory(process, remote + sizeof(TVITEMW), text.data(), kChars * sizeof(wchar_t), &done);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    text.resize(wcslen(text.c_str()));
    return cv2::e2e::Utf8(text);
}

int ImageOfItem(HWND tree, HTREEITEM item) {
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_HANDLE;
    tv.hItem = item;
    LRESULT ok = 0;
    return Remote<TVITEMW>(tree).Call(tree, TVM_GETITEMW, 0, tv, ok) && ok ? tv.iImage : -1;
}

std::string Dump(HWND tree, HTREEITEM first) {
    std::string out;
    for (HTREEITEM n = first; n; n = TreeView_GetNextSibling(tree, n)) {
        if (!out.empty()) out += ' ';
        out += TextOfItem(tree, n);
        if (HTREEITEM child = TreeView_GetChild(tree, n)) {
            bool expanded =
                (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(n), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
            out += expanded ? "+(" : "(";
            out += Dump(tree, child);
            out += ')';
        }
    }
    return out;
}

// The icon of every item in pre-order, separated by spaces.
std::string Icons(HWND tree, HTREEITEM first) {
    std::string out;
    Remote<TVITEMW> remote(tree);
    for (HTREEITEM n = first; n; n = TreeView_GetNextSibling(tree, n)) {
        TVITEMW tv{};
        tv.mask = TVIF_IMAGE | TVIF_HANDLE;
        tv.hItem = n;
        if (!out.empty()) out += ' ';
        out += remote.Ask(tree, TVM_GETITEMW, 0, tv) ? std::to_string(tv.iImage) : std::string("?");
        if (HTREEITEM child = TreeView_GetChild(tree, n)) {
            out += ' ';
            out += Icons(tree, child);
        }
    }
    return out;
}

std::string Point(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

// WM_GETTEXT is marshalled between processes, unlike GetWindowText on another program's
// controls.
std::string TextOf(HWND window) {
    wchar_t buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &copied);
    return cv2::e2e::Utf8(buffer);
}

std::string Height(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return std::to_string(r.bottom - r.top);
}

Lines Look() {
    Lines out;
    HWND frame = FindWindowW(L"TCV2Frm", nullptr);
    HWND tree = frame ? ChildOfClass(frame, WC_TREEVIEWW) : nullptr;
    if (!tree) return {{"found", "0"}};
    out.emplace_back("found", "1");
    out.emplace_back("tree", Dump(tree, TreeView_GetRoot(tree)));
    HTREEITEM selected = TreeView_GetSelection(tree);
    out.emplace_back("selected", selected ? TextOfItem(tree, selected) : std::string());
    out.emplace_back("icons", Icons(tree, TreeView_GetRoot(tree)));

    RemoteRect rect(tree);
    int indent = static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0));
    int row = 0;
    for (HTREEITEM item = TreeView_GetFirstVisible(tree); item; item = TreeView_GetNextVisible(tree, item)) {
        RECT r{};
        std::memcpy(&r, &item, sizeof item);
        if (!rect.Ask(tree, TVM_GETITEMRECT, TRUE, r)) break;
        int y = (r.top + r.bottom) / 2;
        std::string key = "row" + std::to_string(row++);
        out.emplace_back(key + "text", TextOfItem(tree, item));
        out.emplace_back(key + "label", Point(tree, r.left + 6, y));
        // The +/- button sits half an indent left of the 18-pixel icon.
        out.emplace_back(key + "button", Point(tree, r.left - 18 - indent / 2 - 3, y));
        out.emplace_back(key + "image", std::to_string(ImageOfItem(tree, item)));
    }

    RECT w{}, c{};
    GetWindowRect(frame, &w);
    GetClientRect(frame, &c);
    out.emplace_back("frame", std::to_string(w.left) + " " + std::to_string(w.top) + " " +
                                  std::to_string(w.right - w.left) + " " + std::to_string(w.bottom - w.top));
    out.emplace_back("client", std::to_string(c.bottom));
    out.emplace_back("coolbar", Height(ChildOfClass(frame, REBARCLASSNAMEW)));
    HWND status = ChildOfClass(frame, STATUSCLASSNAMEW);
    out.emplace_back("status", Height(status));
    out.emplace_back("statustext", TextOf(status));
    for (int i = 0; i < 2; ++i) {
        HWND toolbar = ChildOfClass(frame, TOOLBARCLASSNAMEW, i);
        if (!toolbar) continue;
        // The first toolbar is the one that holds the compact-mode button (command 400).
        int bar = SendMessageW(toolbar, TB_COMMANDTOINDEX, 400, 0) == 0 ? 0 : 1;
        RemoteRect button(toolbar);
        int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
        for (int b = 0; b < count; ++b) {
            RECT r{};
            if (!button.Ask(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(b), r)) continue;
            std::string key = "bar" + std::to_string(bar + 1) + "button" + std::to_string(b);
            out.emplace_back(key, Point(toolbar, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
            out.emplace_back(key + "right", Point(toolbar, r.right - 5, (r.top + r.bottom) / 2));
        }
    }
    return out;
}

std::string Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

// The controls of a dialog of another program, for a script that fills it in: "focus=<id>",
// then "c<id>=<text>" and "c<id>rect=<left top right bottom>" for each visible control.
Lines Fields(const std::wstring& caption) {
    HWND dialog = FindWindowW(nullptr, caption.c_str());
    if (!dialog) return {{"found", "0"}};
    Lines out = {{"found", "1"}, {"window", Rect(dialog)}, {"active", GetForegroundWindow() == dialog ? "1" : "0"}};
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus)
        out.emplace_back("focus", std::to_string(GetDlgCtrlID(info.hwndFocus)));
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        std::string key = "c";
        key += std::to_string(GetDlgCtrlID(c));
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        std::string text;
        if (lstrcmpiW(cls, DATETIMEPICK_CLASSW) == 0) {
            SYSTEMTIME st{};
            LRESULT valid = GDT_NONE;
            char date[16] = "";
            if (Remote<SYSTEMTIME>(c).Call(c, DTM_GETSYSTEMTIME, 0, st, valid) && valid == GDT_VALID)
                wsprintfA(date, "%04d/%02d/%02d", st.wYear, st.wMonth, st.wDay);
            text = date;
        } else {
            text = TextOf(c);
        }
        out.emplace_back(key, text);
        out.emplace_back(key + "rect", Rect(c));
    }
    return out;
}

// One request: the command and its arguments after it (args[0] is the command).
Lines Answer(const std::vector<std::wstring>& args) {
    const std::wstring& command = args[0];
    if (command == L"look") return Look();
    if (command == L"close") {
        HWND frame = args.size() >= 2 ? FindWindowW(nullptr, args[1].c_str()) : FindWindowW(L"TCV2Frm", nullptr);
        if (!frame) return {{"found", "0"}};
        DWORD pid = 0;
        GetWindowThreadProcessId(frame, &pid);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        return {{"found", "1"}, {"pid", std::to_string(pid)}};
    }
    if (command == L"ended" && args.size() >= 2) {
        // A program has written its settings once its process is gone, and only then may
        // the next one start (a second instance would hand over to the first and leave).
        DWORD ms = args.size() >= 3 ? static_cast<DWORD>(_wtoi(args[2].c_str())) : 20000;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(_wtoi(args[1].c_str())));
        if (!process) return {{"ended", "1"}};
        bool ended = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
        CloseHandle(process);
        return {{"ended", ended ? "1" : "0"}};
    }
    if (command == L"fields" && args.size() >= 2) return Fields(args[1]);
    if (command == L"menus") {
        int open = 0;
        for (HWND m = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); m;
             m = FindWindowExW(nullptr, m, L"#32768", nullptr))
            open += IsWindowVisible(m) ? 1 : 0;
        return {{"menus", std::to_string(open)}};
    }
    if (command == L"box" && args.size() >= 2) {
        // A message box of the program, by its caption.
        HWND box = FindWindowW(L"#32770", args[1].c_str());
        Lines lines = {{"found", box ? "1" : "0"}};
        // The screen centres of its buttons, by id ("button7" for No).
        for (HWND b = box ? GetWindow(box, GW_CHILD) : nullptr; b; b = GetWindow(b, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(b, &r);
            lines.emplace_back("button" + std::to_string(GetDlgCtrlID(b)),
                               std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2));
        }
        return lines;
    }
    if (command == L"aside" && args.size() >= 2) {
        // Moves a window of another program (the session's notice) out of the way.
        HWND other = FindWindowW(nullptr, args[1].c_str());
        if (other) SetWindowPos(other, nullptr, 0, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return {{"found", other ? "1" : "0"}};
    }
    if (command == L"run" && args.size() >= 2) {
        // Runs a program on this desktop and waits for it to end.
        std::wstring line = args[1];
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return {{"found", "0"}};
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return {{"found", "1"}, {"exit", std::to_string(code)}};
    }
    return {{"error", "unknown request"}};
}

std::wstring Wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// A request file: UTF-8 lines, the command first, then its arguments.
std::vector<std::wstring> ReadRequest(const std::wstring& path) {
    std::vector<std::wstring> args;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return args;
    std::string body;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) body.append(buf, got);
    CloseHandle(f);
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        std::string line = body.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        args.push_back(Wide(line));
        start = end + 1;
    }
    return args;
}

struct Job {
    std::vector<std::wstring> args;
    std::wstring reply;
};

DWORD WINAPI Serve(void* param) {
    auto* job = static_cast<Job*>(param);
    cv2::e2e::WriteLog(job->reply, job->args.empty() ? Lines{{"error", "empty request"}} : Answer(job->args));
    delete job;
    return 0;
}

// Stays on the desktop it was started on and answers the requests dropped in `folder`:
// "req.<id>" is answered in "reply.<id>", each on a thread of its own, so that a "run"
// that waits does not hold up the looks meanwhile. Ends when the folder goes.
int ServeFolder(const std::wstring& folder) {
    // Tells the script it is up.
    cv2::e2e::WriteLog(folder + L"\\ready", {{"ready", "1"}});
    for (;;) {
        if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
        WIN32_FIND_DATAW found{};
        HANDLE find = FindFirstFileW((folder + L"\\req.*").c_str(), &found);
        std::vector<std::wstring> names;
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                // The writer moves a finished "req.<id>.tmp" into place.
                if (name.size() > 4 && name.compare(name.size() - 4, 4, L".tmp") == 0) continue;
                names.push_back(name);
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        for (const std::wstring& name : names) {
            // Claimed by moving it aside, so that of two probes only one answers it.
            std::wstring path = folder + L"\\" + name;
            std::wstring claimed =
                folder + L"\\taken." + std::to_wstring(GetCurrentProcessId()) + L"." + name.substr(4);
            if (!MoveFileW(path.c_str(), claimed.c_str())) continue;
            auto* job = new Job{ReadRequest(claimed), folder + L"\\reply." + name.substr(4)};
            DeleteFileW(claimed.c_str());
            HANDLE thread = CreateThread(nullptr, 0, Serve, job, 0, nullptr);
            if (thread) {
                CloseHandle(thread);
            } else {
                Serve(job);
            }
        }
        Sleep(20);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) return 2;
    std::wstring command = argv[1];
    if (command == L"serve") return ServeFolder(argv[2]);
    std::vector<std::wstring> args{command};
    for (int i = 3; i < argc; ++i) args.emplace_back(argv[i]);
    Lines lines = Answer(args);
    if (!lines.empty() && lines[0].first == "error") return 2;
    cv2::e2e::WriteLog(argv[2], lines);
    return 0;
}
