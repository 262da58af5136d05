// An end-to-end stand-in for the diary window that takes its paste by message: a
// top-level window with the special title holding the window classes of the search
// chain, down to an edit control of class "TextEdit" that has the focus. The log
// (argument 1) tells its text, how many WM_PASTE it received and how many Ctrl+V
// keystrokes (which must be none).
#include <windows.h>

#include <string>

#include "tests/e2e/E2eLog_win.h"

namespace {

std::wstring g_log;
HWND g_edit;
WNDPROC g_editProc;
int g_pastes = 0;
int g_ctrlV = 0;

void Log() {
    cv2::e2e::WriteLog(g_log, {{"text", cv2::e2e::Utf8(cv2::e2e::TextOf(g_edit))},
                               {"paste", std::to_string(g_pastes)},
                               {"ctrlv", std::to_string(g_ctrlV)}});
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PASTE) ++g_pastes;
    if ((msg == WM_KEYDOWN && wParam == 'V' && (GetKeyState(VK_CONTROL) & 0x8000)) ||
        (msg == WM_CHAR && wParam == 0x16))
        ++g_ctrlV;
    LRESULT r = CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PASTE || msg == WM_KEYDOWN || msg == WM_CHAR) Log();
    return r;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && g_edit) {
        SetFocus(g_edit);
        return 0;
    }
    if (msg == WM_DESTROY) {
        Log();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

HWND Child(const wchar_t* cls, const wchar_t* title, HWND parent, int inset) {
    RECT r;
    GetClientRect(parent, &r);
    return CreateWindowExW(0, cls, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, inset, inset, r.right - 2 * inset,
                           r.bottom - 2 * inset, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g_log = argc > 1 ? argv[1] : L"special.log";
    int x = argc > 2 ? _wtoi(argv[2]) : 400;
    int y = argc > 3 ? _wtoi(argv[3]) : 100;

    Register(L"Cv2E2ETarvex", FrameProc);
    // Our own classes under the names the search chain looks for.
    Register(L"MDIClient", DefWindowProcW);
    Register(L"ThunderRT6FormDC", DefWindowProcW);
    Register(L"ThunderRT6UserControlDC", DefWindowProcW);
    WNDCLASSW edit{};
    GetClassInfoW(nullptr, L"EDIT", &edit);
    g_editProc = edit.lpfnWndProc;
    edit.lpfnWndProc = EditProc;
    edit.hInstance = instance;
    edit.lpszClassName = L"TextEdit";
    RegisterClassW(&edit);

    HWND top = CreateWindowExW(0, L"Cv2E2ETarvex", L"Tarvex[Tarvex] - [日記・予定]", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               x, y, 420, 300, nullptr, nullptr, instance, nullptr);
    HWND mdi = Child(L"MDIClient", L"", top, 0);
    // Another form first, so that the search has to match the name.
    HWND other = Child(L"ThunderRT6FormDC", L"家計簿", mdi, 4);
    Child(L"ThunderRT6UserControlDC", L"", other, 4);
    ShowWindow(other, SW_HIDE);
    HWND form = Child(L"ThunderRT6FormDC", L"日記・予定", mdi, 4);
    HWND user = Child(L"ThunderRT6UserControlDC", L"", form, 4);
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"TextEdit", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                             4, 4, 360, 200, user, nullptr, instance, nullptr);
    SendMessageW(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetForegroundWindow(top);
    SetFocus(g_edit);
    Log();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
