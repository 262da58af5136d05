// An end-to-end stand-in of a typical Japanese prize entry form, with its fields labelled and
// in the order such forms ask for them: the postal code in two boxes (the first moves on by
// itself once it holds three characters, as many pages do), the prefecture as a drop-down list,
// the address, the name and its reading in two boxes each, the phone in three, the mail address
// twice (the second box refuses pasting, as confirmation boxes do), an agreement check box and
// a submit button. Tab and Shift+Tab move between them, Space toggles the check box, and a
// paste reads the clipboard at once, as a page that is not busy does.
//
// The prefecture list picks by typing the way a browser's select does: the characters typed
// within a second of each other make one prefix, and the first option that starts with it is
// chosen. (A plain drop-down list looks at each character on its own.)
//
//   prizeform <log> [title] [x] [y]
//
// Every change rewrites the log (argument 1):
//   field0..field11  each box's text, in tab order    prefecture  the chosen option
//   check            the check box (0 or 1)           focus       0..11, prefecture, check, submit
//   refused          pastes the confirmation box refused
//   click            a screen point on the first box, to activate the window with a click
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"

namespace {

constexpr int kBoxes = 12;
constexpr int kJumpBox = 0;     // moves on by itself once full
constexpr int kJumpLength = 3;  // the first part of a postal code
constexpr int kConfirmBox = 11;
constexpr int kRowPitch = 30;
constexpr int kLabelWidth = 156;
constexpr int kTypeAheadMs = 1000;
constexpr const wchar_t* kPrefectures =
    L"選択してください 北海道 青森県 岩手県 宮城県 秋田県 山形県 福島県 茨城県 栃木県 群馬県 埼玉県 千葉県 東京都 "
    L"神奈川県 新潟県 富山県 石川県 福井県 山梨県 長野県 岐阜県 静岡県 愛知県 三重県 滋賀県 京都府 大阪府 兵庫県 "
    L"奈良県 和歌山県 鳥取県 島根県 岡山県 広島県 山口県 徳島県 香川県 愛媛県 高知県 福岡県 佐賀県 長崎県 熊本県 "
    L"大分県 宮崎県 鹿児島県 沖縄県";

struct Form {
    std::wstring log;
    HWND frame = nullptr;
    HWND boxes[kBoxes] = {};
    HWND prefecture = nullptr;
    HWND check = nullptr;
    HWND submit = nullptr;
    HWND focus = nullptr;  // given back on activation, as a page keeps its focus
    int refused = 0;
    std::wstring typed;  // the prefecture list's prefix so far
    ULONGLONG typedAt = 0;
};
Form g;

int BoxIndex(HWND hwnd) {
    for (int i = 0; i < kBoxes; ++i)
        if (g.boxes[i] == hwnd) return i;
    return -1;
}

std::string FocusName() {
    if (int i = BoxIndex(g.focus); i >= 0) return std::to_string(i);
    if (g.focus == g.prefecture) return "prefecture";
    if (g.focus == g.check) return "check";
    if (g.focus == g.submit) return "submit";
    return "none";
}

void Log() {
    using cv2::e2e::Utf8;
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < kBoxes; ++i)
        lines.emplace_back("field" + std::to_string(i), Utf8(cv2::e2e::TextOf(g.boxes[i])));
    lines.emplace_back("prefecture", Utf8(cv2::e2e::TextOf(g.prefecture)));
    lines.emplace_back("check", SendMessageW(g.check, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
    lines.emplace_back("focus", FocusName());
    lines.emplace_back("refused", std::to_string(g.refused));
    RECT r{};
    GetWindowRect(g.boxes[0], &r);
    lines.emplace_back("click", std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2));
    cv2::e2e::WriteLog(g.log, lines);
}

// The first option that starts with the characters typed so far.
void TypeAhead(wchar_t c) {
    const ULONGLONG now = GetTickCount64();
    if (now - g.typedAt > kTypeAheadMs) g.typed.clear();
    g.typedAt = now;
    g.typed += c;
    const auto count = SendMessageW(g.prefecture, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t option[32] = {};
        if (SendMessageW(g.prefecture, CB_GETLBTEXTLEN, i, 0) >= 32) continue;
        SendMessageW(g.prefecture, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(option));
        if (std::wstring_view(option).starts_with(g.typed)) {
            SendMessageW(g.prefecture, CB_SETCURSEL, i, 0);
            Log();
            return;
        }
    }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    constexpr WPARAM kCtrlV = 0x16;
    switch (msg) {
        case WM_SETFOCUS:
            g.focus = hwnd;
            Log();
            break;
        case WM_PASTE:
            if (hwnd != g.boxes[kConfirmBox]) break;
            ++g.refused;
            Log();
            return 0;
        case WM_CHAR:
            if (hwnd == g.boxes[kConfirmBox] && wParam == kCtrlV) return SendMessageW(hwnd, WM_PASTE, 0, 0);
            if (hwnd == g.prefecture && wParam >= 0x20) {
                TypeAhead(static_cast<wchar_t>(wParam));
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const HWND from = reinterpret_cast<HWND>(lParam);
            const int code = HIWORD(wParam);
            if (code == EN_CHANGE && from == g.boxes[kJumpBox] && GetFocus() == from &&
                GetWindowTextLengthW(from) >= kJumpLength)
                SetFocus(g.boxes[kJumpBox + 1]);
            if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) Log();
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                SetFocus(g.focus ? g.focus : g.boxes[0]);
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int RowTop(int row) { return 10 + row * kRowPitch; }

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int row, int width, int height = 22) {
    const DWORD exStyle = lstrcmpW(cls, L"EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
    // Texts sit on the line of the boxes' text.
    const int y = RowTop(row) + (lstrcmpW(cls, L"STATIC") == 0 ? 4 : 0);
    HWND h = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, g.frame, nullptr,
                             nullptr, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowSubclass(h, ControlProc, 1, 0);
    return h;
}

// One row: its label, then its parts left to right; a part is a box of that width, or a text
// between boxes when its width is negative.
void Row(int row, const wchar_t* label, std::initializer_list<std::pair<int, const wchar_t*>> parts, int& box) {
    Child(L"STATIC", label, SS_LEFT, 12, row, kLabelWidth - 16, 18);
    int x = kLabelWidth;
    for (const auto& [width, text] : parts) {
        if (width < 0) {
            Child(L"STATIC", text, SS_CENTER, x, row, -width, 18);
            x += -width;
        } else {
            g.boxes[box++] = Child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, x, row, width);
            x += width + 4;
        }
    }
}

void MakeForm() {
    constexpr int kLong = 250;
    int box = 0;
    Row(0, L"郵便番号", {{44, nullptr}, {-16, L"－"}, {56, nullptr}}, box);
    Child(L"STATIC", L"都道府県", SS_LEFT, 12, 1, kLabelWidth - 16, 18);
    g.prefecture = Child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kLabelWidth, 1, 130, 240);
    const std::wstring names = kPrefectures;
    for (std::size_t start = 0; start < names.size();) {
        std::size_t end = names.find(L' ', start);
        if (end == std::wstring::npos) end = names.size();
        SendMessageW(g.prefecture, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names.substr(start, end - start).c_str()));
        start = end + 1;
    }
    SendMessageW(g.prefecture, CB_SETCURSEL, 0, 0);
    Row(2, L"市区町村・番地", {{kLong, nullptr}}, box);
    Row(3, L"お名前", {{-24, L"姓"}, {84, nullptr}, {-24, L"名"}, {84, nullptr}}, box);
    Row(4, L"フリガナ", {{-24, L"セイ"}, {84, nullptr}, {-24, L"メイ"}, {84, nullptr}}, box);
    Row(5, L"電話番号", {{44, nullptr}, {-16, L"－"}, {56, nullptr}, {-16, L"－"}, {56, nullptr}}, box);
    Row(6, L"メールアドレス", {{kLong, nullptr}}, box);
    Row(7, L"メールアドレス（確認）", {{kLong, nullptr}}, box);
    g.check = Child(L"BUTTON", L"応募規約に同意する", WS_TABSTOP | BS_AUTOCHECKBOX, kLabelWidth, 8, 200);
    g.submit = Child(L"BUTTON", L"応募する", WS_TABSTOP | BS_DEFPUSHBUTTON, kLabelWidth, 9, 100, 26);
    SendMessageW(g.boxes[kJumpBox], EM_SETLIMITTEXT, kJumpLength, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g.log = argc > 1 ? argv[1] : L"prizeform.log";
    const wchar_t* title = argc > 2 ? argv[2] : L"プレゼント応募フォーム";
    const int x = argc > 3 ? _wtoi(argv[3]) : 300;
    const int y = argc > 4 ? _wtoi(argv[4]) : 60;

    WNDCLASSW wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Cv2E2EPrizeForm";
    RegisterClassW(&wc);
    RECT frame{0, 0, kLabelWidth + 250 + 14, RowTop(10) + 6};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    g.frame = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, x, y,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    MakeForm();
    ShowWindow(g.frame, SW_SHOW);
    SetForegroundWindow(g.frame);
    SetFocus(g.boxes[0]);
    Log();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(g.frame, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
