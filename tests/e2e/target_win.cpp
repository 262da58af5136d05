// An end-to-end target: a window with several edit fields and a submit button, like a
// web form. Tab moves between the fields, Enter presses the submit button. Every change
// rewrites the log (argument 1): field0..field4, focus (index of the focused field),
// submitted (how often Enter or the button submitted the form), menus (how often the menu
// bar was entered, by Alt or F10 or a click) and refused (pastes refused).
//   target <log> [title] [x] [y] [menu|nopaste]
// With "menu" the window has a menu bar. With "nopaste" the fields refuse pasting, as a
// form's confirmation fields do: WM_PASTE and Ctrl+V do nothing, typed characters arrive.
#include <windows.h>

#include <string>

#include "tests/e2e/E2eLog_win.h"

namespace {

constexpr int kFields = 5;
constexpr int kFirstFieldId = 100;
std::wstring g_log;
HWND g_fields[kFields];
int g_focus = -1;
int g_submitted = 0;
int g_menus = 0;
int g_refused = 0;
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK NoPasteEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM kCtrlV = 0x16;
    if (msg == WM_PASTE || (msg == WM_CHAR && wParam == kCtrlV)) {
        ++g_refused;
        return 0;
    }
    return CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
}

void Log() {
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < kFields; ++i)
        lines.emplace_back("field" + std::to_string(i), cv2::e2e::Utf8(cv2::e2e::TextOf(g_fields[i])));
    lines.emplace_back("focus", std::to_string(g_focus));
    lines.emplace_back("submitted", std::to_string(g_submitted));
    lines.emplace_back("menus", std::to_string(g_menus));
    lines.emplace_back("refused", std::to_string(g_refused));
    cv2::e2e::WriteLog(g_log, lines);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            if (id == IDOK) {
                ++g_submitted;
                Log();
            } else if (id >= kFirstFieldId && id < kFirstFieldId + kFields) {
                if (code == EN_SETFOCUS) g_focus = id - kFirstFieldId;
                if (code == EN_CHANGE || code == EN_SETFOCUS) Log();
            }
            return 0;
        }
        case WM_ACTIVATE:
            // Give the focus back to the field that had it, as a browser does.
            if (LOWORD(wParam) != WA_INACTIVE) {
                SetFocus(g_fields[g_focus < 0 ? 0 : g_focus]);
                return 0;
            }
            break;
        case WM_ENTERMENULOOP:
            ++g_menus;
            Log();
            break;
        case WM_DESTROY:
            Log();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g_log = argc > 1 ? argv[1] : L"target.log";
    const wchar_t* title = argc > 2 ? argv[2] : L"応募フォーム - Target";

    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Cv2E2ETarget";
    RegisterClassW(&wc);
    int x = argc > 3 ? _wtoi(argv[3]) : 400;
    int y = argc > 4 ? _wtoi(argv[4]) : 100;
    HMENU menu = nullptr;
    if (argc > 5 && std::wstring(argv[5]) == L"menu") {
        menu = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 200, L"閉じる(&C)");
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
    }
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                360, 60 + kFields * 34 + 40 + (menu ? 20 : 0), nullptr, menu, instance, nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < kFields; ++i) {
        g_fields[i] = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10 + i * 34, 320,
            26, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstFieldId + i)), instance, nullptr);
        SendMessageW(g_fields[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (argc > 5 && lstrcmpW(argv[5], L"nopaste") == 0) {
            g_editProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(g_fields[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NoPasteEditProc)));
        }
    }
    HWND submit = CreateWindowExW(0, L"BUTTON", L"送信", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10,
                                  10 + kFields * 34, 100, 28, hwnd, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
    SendMessageW(submit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetForegroundWindow(hwnd);
    SetFocus(g_fields[0]);
    Log();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
