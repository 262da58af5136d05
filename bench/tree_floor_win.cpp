// The floor for the start-up benchmark: a bare window whose tree view gets the same items,
// icons and expansions as the program's, with redraw off, and nothing else. Also the
// helper that closes a window with WM_CLOSE and waits for its process to end.
//   tree_floor show <items> [variants]     groups of a parent and 9 children, the first 300 open
//   tree_floor measure <items> [variants]  the same, then prints how long inserting, opening
//                                          and destroying took, and ends
//   tree_floor close <class>               0 closed, 1 no such window, 2 still running after 60 s
// Variants, comma-separated, add one thing the program does, to see what it costs:
//   font      the program's tree font (IPAPGothic 12 px)
//   subclass  the control subclassed with SetWindowSubclass, passing every message on
// Run by tree_load_bench.sh; the texts and icons match what that script writes.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kGroupSize = 10;
constexpr int kExpandedGroups = 300;
constexpr int kIcons = 12;

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HIMAGELIST MakeImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 2 * kIcons, 0);
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 2 * kIcons; ++i) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return images;
}

LRESULT CALLBACK PassOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int Show(HINSTANCE instance, int count, const std::wstring& variants, bool measure) {
    auto has = [&](const wchar_t* variant) { return variants.find(variant) != std::wstring::npos; };
    InitCommonControls();
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TreeFloor";
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, L"TreeFloor", L"tree floor", WS_OVERLAPPEDWINDOW, 100, 60, 178, 388,
                                 nullptr, nullptr, instance, nullptr);
    HWND tree = CreateWindowExW(
        0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_EDITLABELS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
        0, 0, 170, 350, frame, nullptr, instance, nullptr);
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(MakeImages()));
    if (has(L"subclass")) SetWindowSubclass(tree, PassOn, 1, 0);
    if (has(L"font")) {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lstrcpynW(lf.lfFaceName, L"IPAPGothic", LF_FACESIZE);
        SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectW(&lf)), TRUE);
    }
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    HTREEITEM group = nullptr;
    HTREEITEM opened[kExpandedGroups] = {};
    int groups = 0;
    for (int n = 0; n < count; ++n) {
        const int g = n / kGroupSize, c = n % kGroupSize;
        std::wstring text =
            c == 0 ? L"グループ" + std::to_wstring(g) : L"項目" + std::to_wstring(g) + L"-" + std::to_wstring(c);
        TVINSERTSTRUCTW ins{};
        ins.hParent = c == 0 ? TVI_ROOT : group;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        ins.item.pszText = text.data();
        ins.item.iImage = n % kIcons;
        ins.item.iSelectedImage = n % kIcons + kIcons;
        ins.item.lParam = n;
        auto handle =
            reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
        if (c == 0) {
            group = handle;
            if (groups < kExpandedGroups) opened[groups++] = handle;
        }
    }
    QueryPerformanceCounter(&t1);
    for (int i = 0; i < groups; ++i) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(opened[i]));
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    QueryPerformanceCounter(&t2);
    if (measure) {
        DestroyWindow(frame);
        LARGE_INTEGER t3;
        QueryPerformanceCounter(&t3);
        std::printf("%d items %ls: insert %.1f ms, open and redraw %.1f ms, destroy %.1f ms\n", count,
                    variants.empty() ? L"(bare)" : variants.c_str(), Milliseconds(t0, t1), Milliseconds(t1, t2),
                    Milliseconds(t2, t3));
        return 0;
    }
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int Close(const wchar_t* cls) {
    HWND hwnd = FindWindowW(cls, nullptr);
    if (!hwnd) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (!process) return 0;
    DWORD waited = WaitForSingleObject(process, 60000);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 3 && std::wcscmp(argv[1], L"show") == 0)
        return Show(instance, _wtoi(argv[2]), argc > 3 ? argv[3] : L"", false);
    if (argc >= 3 && std::wcscmp(argv[1], L"measure") == 0)
        return Show(instance, _wtoi(argv[2]), argc > 3 ? argv[3] : L"", true);
    if (argc == 3 && std::wcscmp(argv[1], L"close") == 0) return Close(argv[2]);
    return 3;
}
