// Measures how long a send takes: this program is the target, clicks an item of the main
// window with real (synthesized) mouse input and times the moment its edit receives the
// text. Not a test; run by send_e2e.sh measure.
//   measure <result file> <count> <x1> <y1> <x2> <y2> <wait time> [read delay]
// The two items are clicked in turn, so that each click lands on an item that is not
// selected yet. The result holds each send's time from the click to the text, minus the
// wait time, in milliseconds, and a summary. With a read delay the edit pastes as a busy
// web page does, reading the clipboard that long after the Ctrl+V on another thread
// (LateRead_win.h), and the delay is taken off the times too.
//
//   measure form <result file> <rounds> <read delay, or - for fields that paste at once>
//           <x y of a group's item> <x y of each of its 20 children>
// A 20-field form filled two ways in each round, in double-click mode with the follow-up
// key Tab: one Shift+double-click on the group, then a double-click on each child in turn,
// each as soon as the field before holds its text. Each fill is timed from its first
// double-click to the text of the field filled last; the result holds, for each round,
// both times, the sum of the single sends' own times (each from its double-click to its
// field's text) and every field's text, for the script to compare.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"
#include "tests/e2e/LateRead_win.h"

namespace {

HWND g_edit;
bool g_changed;
LARGE_INTEGER g_changedAt;
cv2::e2e::LateReader* g_reader;  // null: the edit pastes at once
WNDPROC g_editProc;

LRESULT CALLBACK LateEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM kCtrlV = 0x16;
    if (msg == WM_PASTE || (msg == WM_CHAR && wParam == kCtrlV)) {
        g_reader->Queue(0);
        return 0;
    }
    return CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == cv2::e2e::LateReader::kTextRead) {
        std::unique_ptr<cv2::e2e::LateReader::Read> read(cv2::e2e::LateReader::Take(lParam));
        if (read->ok) SendMessageW(g_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(read->text.c_str()));
        return 0;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !g_changed && GetWindowTextLengthW(g_edit) > 0) {
        QueryPerformanceCounter(&g_changedAt);
        g_changed = true;
    }
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(g_edit);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Pump(DWORD ms, const bool* until = nullptr) {
    ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end && !(until && *until)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void Mouse(int x, int y, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}

// ---- the form mode ----

constexpr int kFormFields = 20;

struct FormState {
    HWND frame = nullptr;
    HWND fields[kFormFields] = {};
    HWND focus = nullptr;
    WNDPROC editProc = nullptr;
    cv2::e2e::LateReader* reader = nullptr;  // null: the fields paste at once
    LARGE_INTEGER filledAt[kFormFields] = {};
    bool filled[kFormFields] = {};
};
FormState g_form;

int FormField(HWND hwnd) {
    for (int i = 0; i < kFormFields; ++i)
        if (g_form.fields[i] == hwnd) return i;
    return -1;
}

LRESULT CALLBACK FormEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    constexpr WPARAM kCtrlV = 0x16;
    if (msg == WM_SETFOCUS) g_form.focus = hwnd;
    if (g_form.reader && (msg == WM_PASTE || (msg == WM_CHAR && wParam == kCtrlV))) {
        g_form.reader->Queue(static_cast<WPARAM>(FormField(hwnd)));
        return 0;
    }
    return CallWindowProcW(g_form.editProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == cv2::e2e::LateReader::kTextRead) {
        std::unique_ptr<cv2::e2e::LateReader::Read> read(cv2::e2e::LateReader::Take(lParam));
        const int field = static_cast<int>(wParam);
        if (read->ok && field >= 0 && field < kFormFields)
            SendMessageW(g_form.fields[field], EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(read->text.c_str()));
        return 0;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        const int i = FormField(reinterpret_cast<HWND>(lParam));
        if (i >= 0 && !g_form.filled[i] && GetWindowTextLengthW(g_form.fields[i]) > 0) {
            QueryPerformanceCounter(&g_form.filledAt[i]);
            g_form.filled[i] = true;
        }
        return 0;
    }
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(g_form.focus ? g_form.focus : g_form.fields[0]);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Handles messages, Tab among the fields included, until done() or ms have passed.
template <class Done>
bool PumpForm(DWORD ms, Done done) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageW(g_form.frame, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// Points the mouse at p and double-clicks there, with Shift held when asked; returns the
// time of the first press. Shift goes down once the pointer is there (Wine lets go of keys
// that the X server does not hold down when the pointer enters another window) and up right
// after the clicks. A key goes to the thread in front when it is sent, so this form's thread
// reads the press, and the release may go to the main window, brought forward by the click.
// Windows gives a thread the keyboard's state when it comes back to the front; Wine keeps
// the Shift down in this thread, and the form would take the group's first Tab for
// Shift+Tab. The form drops it from its own state as Windows would.
LARGE_INTEGER DoubleClick(POINT p, bool shift = false) {
    Mouse(p.x, p.y, 0);
    PumpForm(30, [] { return false; });
    Mouse(p.x + 1, p.y, 0);
    PumpForm(30, [] { return false; });
    if (shift) {
        Key(VK_SHIFT, false);
        PumpForm(100, [] { return false; });
    }
    LARGE_INTEGER at;
    QueryPerformanceCounter(&at);
    for (int click = 0; click < 2; ++click) {
        Mouse(p.x + 1, p.y, MOUSEEVENTF_LEFTDOWN);
        Mouse(p.x + 1, p.y, MOUSEEVENTF_LEFTUP);
    }
    if (shift) {
        Key(VK_SHIFT, true);
        BYTE keys[256];
        if (GetKeyboardState(keys)) {
            keys[VK_SHIFT] = keys[VK_LSHIFT] = keys[VK_RSHIFT] = 0;
            SetKeyboardState(keys);
        }
    }
    return at;
}

// Empty fields, the focus in the first, the form in front for the main window's tracking.
void ResetForm() {
    for (int i = 0; i < kFormFields; ++i) {
        SetWindowTextW(g_form.fields[i], L"");
        g_form.filled[i] = false;
    }
    SetForegroundWindow(g_form.frame);
    SetFocus(g_form.fields[0]);
    PumpForm(700, [] { return false; });
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// From `from` to the field filled last; -1 when a field is still empty.
double FilledAfter(LARGE_INTEGER from) {
    LARGE_INTEGER last = from;
    for (int i = 0; i < kFormFields; ++i) {
        if (!g_form.filled[i]) return -1;
        if (g_form.filledAt[i].QuadPart > last.QuadPart) last = g_form.filledAt[i];
    }
    return Ms(from, last);
}

int FormMain(HINSTANCE instance, int argc, wchar_t** argv) {
    if (argc < 5 + 2 * (kFormFields + 1)) return 2;
    const std::wstring out = argv[2];
    const int rounds = _wtoi(argv[3]);
    const bool late = lstrcmpW(argv[4], L"-") != 0;
    const DWORD readDelay = late ? static_cast<DWORD>(_wtoi(argv[4])) : 0;
    POINT group{_wtoi(argv[5]), _wtoi(argv[6])};
    std::vector<POINT> children;
    for (int i = 0; i < kFormFields; ++i) children.push_back({_wtoi(argv[7 + 2 * i]), _wtoi(argv[8 + 2 * i])});

    WNDCLASSW wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Cv2MeasureForm";
    RegisterClassW(&wc);
    g_form.frame = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"計測フォーム - Target",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 20, 300, 40 + 26 * kFormFields, nullptr,
                                   nullptr, instance, nullptr);
    for (int i = 0; i < kFormFields; ++i) {
        g_form.fields[i] = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 6 + 26 * i, 260,
            22, g_form.frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
        g_form.editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(g_form.fields[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormEditProc)));
    }
    std::unique_ptr<cv2::e2e::LateReader> reader;
    if (late) reader = std::make_unique<cv2::e2e::LateReader>(g_form.frame, readDelay);
    g_form.reader = reader.get();
    // Enough for every field to wait its read and the whole budget of the handshake.
    const DWORD fillMs = kFormFields * (readDelay + 1500) + 3000;

    std::vector<std::pair<std::string, std::string>> lines;
    char buf[64];
    auto put = [&](const std::string& key, double v) {
        std::snprintf(buf, sizeof buf, "%.1f", v);
        lines.emplace_back(key, buf);
    };
    auto putFields = [&](const std::string& key) {
        for (int i = 0; i < kFormFields; ++i)
            lines.emplace_back(key + "field" + std::to_string(i), cv2::e2e::Utf8(cv2::e2e::TextOf(g_form.fields[i])));
    };
    auto allFilled = [] {
        return std::all_of(std::begin(g_form.filled), std::end(g_form.filled), [](bool f) { return f; });
    };
    // The pointer over the main window once before the first round, as before every later
    // one: entering a window makes Wine set its keys as the X server has them, and a Shift
    // pressed by this program meanwhile would be let go.
    Mouse(group.x, group.y, 0);
    PumpForm(500, [] { return false; });
    for (int r = 0; r < rounds; ++r) {
        const std::string round = std::to_string(r);
        // One Shift+double-click on the group.
        ResetForm();
        const LARGE_INTEGER groupAt = DoubleClick(group, true);
        PumpForm(fillMs, allFilled);
        put("group" + round, FilledAfter(groupAt));
        putFields("group" + round);

        // A double-click on each child once the field before holds its text.
        ResetForm();
        LARGE_INTEGER firstAt{};
        double own = 0;
        for (int i = 0; i < kFormFields; ++i) {
            const LARGE_INTEGER at = DoubleClick(children[static_cast<std::size_t>(i)]);
            if (i == 0) firstAt = at;
            if (!PumpForm(readDelay + 3000, [i] { return g_form.filled[i]; })) break;
            own += Ms(at, g_form.filledAt[i]);
        }
        put("clicks" + round, FilledAfter(firstAt));
        put("clicks" + round + "own", own);
        putFields("clicks" + round);
    }
    cv2::e2e::WriteLog(out, lines);
    DestroyWindow(g_form.frame);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc > 1 && lstrcmpW(argv[1], L"form") == 0) return FormMain(instance, argc, argv);
    if (argc < 8) return 2;
    std::wstring out = argv[1];
    int count = _wtoi(argv[2]);
    POINT items[2] = {{_wtoi(argv[3]), _wtoi(argv[4])}, {_wtoi(argv[5]), _wtoi(argv[6])}};
    double wait = _wtof(argv[7]);
    const double readDelay = argc > 8 ? _wtof(argv[8]) : 0;

    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Cv2Measure";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"計測 - Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 360,
                                120, nullptr, nullptr, instance, nullptr);
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 320, 26,
                             hwnd, nullptr, instance, nullptr);
    std::unique_ptr<cv2::e2e::LateReader> reader;
    if (argc > 8) {
        reader = std::make_unique<cv2::e2e::LateReader>(hwnd, static_cast<DWORD>(readDelay));
        g_reader = reader.get();
        g_editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LateEditProc)));
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);

    std::vector<double> times;
    int lost = 0;
    for (int i = 0; i < count; ++i) {
        SetWindowTextW(g_edit, L"");
        g_changed = false;
        SetForegroundWindow(hwnd);
        SetFocus(g_edit);
        Pump(700);  // the main window's tracking timer sees this window in the foreground
        POINT p = items[i % 2];
        Mouse(p.x, p.y, 0);
        Pump(100);
        Mouse(p.x + 1, p.y, 0);
        Pump(100);
        LARGE_INTEGER clicked;
        QueryPerformanceCounter(&clicked);
        Mouse(p.x + 1, p.y, MOUSEEVENTF_LEFTDOWN);
        Mouse(p.x + 1, p.y, MOUSEEVENTF_LEFTUP);
        Pump(static_cast<DWORD>(wait + readDelay) + 3000, &g_changed);
        if (!g_changed) {
            ++lost;
            continue;
        }
        double ms =
            1000.0 * static_cast<double>(g_changedAt.QuadPart - clicked.QuadPart) / static_cast<double>(freq.QuadPart);
        times.push_back(ms - wait - readDelay);
    }

    std::vector<std::pair<std::string, std::string>> lines;
    char buf[64];
    for (std::size_t i = 0; i < times.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%.1f", times[i]);
        lines.emplace_back("send" + std::to_string(i), buf);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    auto put = [&](const char* key, double v) {
        std::snprintf(buf, sizeof buf, "%.1f", v);
        lines.emplace_back(key, buf);
    };
    lines.emplace_back("sends", std::to_string(times.size()));
    lines.emplace_back("lost", std::to_string(lost));
    if (!sorted.empty()) {
        double sum = 0;
        for (double t : sorted) sum += t;
        put("min", sorted.front());
        put("median", sorted[sorted.size() / 2]);
        put("mean", sum / static_cast<double>(sorted.size()));
        put("p90", sorted[sorted.size() * 9 / 10]);
        put("max", sorted.back());
    }
    cv2::e2e::WriteLog(out, lines);
    DestroyWindow(hwnd);
    return 0;
}
