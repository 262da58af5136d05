// An end-to-end stand-in of a web browser whose page is busy. Its window answers at once
// (activation, keys, WM_NULL), as a browser's frame does, and holds a form: 20 edit fields,
// a prefecture list (a drop-down list that picks by type-ahead) after the tenth field, a
// check box and a submit button. Tab and Shift+Tab move between them, Space toggles the
// check box, Enter submits.
//
// A paste (Ctrl+V or WM_PASTE in a field) does not paste at once: the field is remembered
// and the page reads the clipboard later, on another thread, after the read delay, and
// the text then goes into the remembered field (see LateRead_win.h). A delay of 0 is a
// page that is not busy.
//
//   browser <log> [delay=<read delay ms, default 600>] [title=<window title>] [ime]
//
// The title is "応募フォーム - Browser" unless given. With "ime" the fields' input method
// starts open, as on a Japanese form.
// Every change rewrites the log (argument 1):
//   field0..field19   each field's text            combo    the chosen prefecture
//   chars0..chars19   characters typed per field   check    the check box (0 or 1)
//   focus             0..19, combo, check, submit  submitted  how often the form was submitted
//   pastes, reads     pastes received, reads done (readfails: reads that found no text)
//   read0, read1, ... each read in order: "<field> <text>"; readms0, ...: its time after the paste
//   pasteat0, ...     the tick (GetTickCount64) of each paste, to set beside Wine's timestamps
//   keys, keysime     keys pressed in the form, and how many met an open input method
//   ime               the open status of the input method of the control that got the last key
//   click             a screen point on the first field, to activate the window with a click
//   closed            1 once the window is closed
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"
#include "tests/e2e/LateRead_win.h"

namespace {

constexpr int kFields = 20;
constexpr int kComboAfter = 10;  // the prefecture list follows this many fields
constexpr int kRowPitch = 26;
constexpr int kLabelWidth = 70;
constexpr int kEditWidth = 260;
constexpr const wchar_t* kPrefectures[] = {L"北海道", L"青森県", L"東京都", L"神奈川県",
                                           L"大阪府", L"大分県", L"沖縄県"};

struct Form {
    std::wstring log;
    HWND frame = nullptr;
    HWND fields[kFields] = {};
    HWND combo = nullptr;
    HWND check = nullptr;
    HWND submit = nullptr;
    HWND focus = nullptr;  // given back on activation, as a page keeps its focus
    int chars[kFields] = {};
    int submitted = 0;
    int pastes = 0;
    std::vector<ULONGLONG> pasteAt;
    int readFails = 0;
    std::vector<std::string> reads;
    std::vector<ULONGLONG> readAfterMs;
    int keys = 0;
    int keysIme = 0;
    bool imeOpen = false;
    bool closed = false;
    std::unique_ptr<cv2::e2e::LateReader> reader;
};
Form g;

int FieldIndex(HWND hwnd) {
    for (int i = 0; i < kFields; ++i)
        if (g.fields[i] == hwnd) return i;
    return -1;
}

bool IsFormControl(HWND hwnd) {
    return FieldIndex(hwnd) >= 0 || hwnd == g.combo || hwnd == g.check || hwnd == g.submit;
}

std::string FocusName() {
    if (int i = FieldIndex(g.focus); i >= 0) return std::to_string(i);
    if (g.focus == g.combo) return "combo";
    if (g.focus == g.check) return "check";
    if (g.focus == g.submit) return "submit";
    return "none";
}

std::string ComboChoice() {
    auto i = SendMessageW(g.combo, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? std::string() : cv2::e2e::Utf8(kPrefectures[i]);
}

void Log() {
    using cv2::e2e::Utf8;
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < kFields; ++i)
        lines.emplace_back("field" + std::to_string(i), Utf8(cv2::e2e::TextOf(g.fields[i])));
    for (int i = 0; i < kFields; ++i) lines.emplace_back("chars" + std::to_string(i), std::to_string(g.chars[i]));
    lines.emplace_back("combo", ComboChoice());
    lines.emplace_back("check", SendMessageW(g.check, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
    lines.emplace_back("focus", FocusName());
    lines.emplace_back("submitted", std::to_string(g.submitted));
    lines.emplace_back("pastes", std::to_string(g.pastes));
    for (std::size_t i = 0; i < g.pasteAt.size(); ++i)
        lines.emplace_back("pasteat" + std::to_string(i), std::to_string(g.pasteAt[i]));
    lines.emplace_back("reads", std::to_string(g.reads.size()));
    lines.emplace_back("readfails", std::to_string(g.readFails));
    for (std::size_t i = 0; i < g.reads.size(); ++i) {
        lines.emplace_back("read" + std::to_string(i), g.reads[i]);
        lines.emplace_back("readms" + std::to_string(i), std::to_string(g.readAfterMs[i]));
    }
    lines.emplace_back("keys", std::to_string(g.keys));
    lines.emplace_back("keysime", std::to_string(g.keysIme));
    lines.emplace_back("ime", g.imeOpen ? "1" : "0");
    RECT r{};
    GetWindowRect(g.fields[0], &r);
    lines.emplace_back("click", std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2));
    lines.emplace_back("closed", g.closed ? "1" : "0");
    cv2::e2e::WriteLog(g.log, lines);
}

// The input method's open status for the control that gets a key, as the key arrives.
void NoteKey(HWND control) {
    ++g.keys;
    HIMC context = ImmGetContext(control);
    g.imeOpen = context && ImmGetOpenStatus(context);
    if (context) ImmReleaseContext(control, context);
    if (g.imeOpen) ++g.keysIme;
    Log();
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    constexpr WPARAM kCtrlV = 0x16;
    const int field = FieldIndex(hwnd);
    switch (msg) {
        case WM_SETFOCUS:
            g.focus = hwnd;
            Log();
            break;
        case WM_PASTE:
            if (field < 0) break;
            ++g.pastes;
            g.pasteAt.push_back(GetTickCount64());
            g.reader->Queue(static_cast<WPARAM>(field));
            Log();
            return 0;
        case WM_CHAR:
            // The edit's own paste is not wanted: the page pastes when it reads.
            if (field >= 0 && wParam == kCtrlV) return SendMessageW(hwnd, WM_PASTE, 0, 0);
            if (field >= 0 && wParam >= 0x20) ++g.chars[field];
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const int code = HIWORD(wParam);
            if (LOWORD(wParam) == IDOK) {
                ++g.submitted;
                Log();
            } else if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) {
                Log();
            }
            return 0;
        }
        case cv2::e2e::LateReader::kTextRead: {
            std::unique_ptr<cv2::e2e::LateReader::Read> read(cv2::e2e::LateReader::Take(lParam));
            const int field = static_cast<int>(wParam);
            if (read->ok) {
                // Into the remembered field, wherever the focus is now.
                SendMessageW(g.fields[field], EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(read->text.c_str()));
                g.reads.push_back(std::to_string(field) + " " + cv2::e2e::Utf8(read->text));
                g.readAfterMs.push_back(read->afterMs);
            } else {
                ++g.readFails;
            }
            Log();
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                SetFocus(g.focus ? g.focus : g.fields[0]);
                return 0;
            }
            break;
        case WM_DESTROY:
            g.closed = true;
            Log();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int RowTop(int row) { return 8 + row * kRowPitch; }

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int width, int height, int id = 0) {
    const DWORD exStyle = lstrcmpW(cls, L"EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND h = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, g.frame,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

// On the line of the field's text.
void Label(const std::wstring& text, int row) {
    Child(L"STATIC", text.c_str(), SS_RIGHT, 8, RowTop(row) + 4, kLabelWidth - 14, 18);
}

// The controls in their tab order: fields, the prefecture list after the tenth, the rest of
// the fields, the check box and the submit button.
void MakeForm() {
    constexpr int x = kLabelWidth;
    constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
    int row = 0;
    for (int i = 0; i < kFields; ++i, ++row) {
        if (i == kComboAfter) {
            Label(L"都道府県", row);
            g.combo = Child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x, RowTop(row), 140, 200);
            for (const wchar_t* p : kPrefectures) SendMessageW(g.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p));
            ++row;
        }
        Label(L"項目" + std::to_wstring(i + 1), row);
        g.fields[i] = Child(L"EDIT", L"", kEdit, x, RowTop(row), kEditWidth, 22, 100 + i);
    }
    g.check = Child(L"BUTTON", L"規約に同意する", WS_TABSTOP | BS_AUTOCHECKBOX, x, RowTop(row++), 200, 22);
    g.submit = Child(L"BUTTON", L"送信", WS_TABSTOP | BS_DEFPUSHBUTTON, x, RowTop(row), 100, 26, IDOK);
    for (HWND h : g.fields) SetWindowSubclass(h, ControlProc, 1, 0);
    for (HWND h : {g.combo, g.check, g.submit}) SetWindowSubclass(h, ControlProc, 1, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g.log = argc > 1 ? argv[1] : L"browser.log";
    DWORD delayMs = 600;
    std::wstring title = L"応募フォーム - Browser";
    bool imeOpen = false;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option.starts_with(L"delay="))
            delayMs = static_cast<DWORD>(_wtoi(option.c_str() + 6));
        else if (option.starts_with(L"title="))
            title = option.substr(6);
        else if (option == L"ime")
            imeOpen = true;
    }

    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Cv2E2EBrowser";
    RegisterClassW(&wc);
    RECT frame{0, 0, kLabelWidth + kEditWidth + 16, 16 + (kFields + 3) * kRowPitch};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    g.frame = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 400, 20,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    MakeForm();
    g.reader = std::make_unique<cv2::e2e::LateReader>(g.frame, delayMs);
    if (imeOpen) {
        for (HWND h : g.fields) {
            if (HIMC context = ImmGetContext(h)) {
                ImmSetOpenStatus(context, TRUE);
                ImmReleaseContext(h, context);
            }
        }
    }
    ShowWindow(g.frame, SW_SHOW);
    SetForegroundWindow(g.frame);
    SetFocus(g.fields[0]);
    Log();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && IsFormControl(msg.hwnd)) NoteKey(msg.hwnd);
        if (IsDialogMessageW(g.frame, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g.reader.reset();
    return 0;
}
