// Measures how long a send takes: this program is the target, clicks an item of the main
// window with real (synthesized) mouse input and times the moment its edit receives the
// text. Not a test; run by send_e2e.sh measure.
//   measure <result file> <count> <x1> <y1> <x2> <y2> <wait time> [read delay]
// The two items are clicked in turn, so that each click lands on an item that is not
// selected yet. The result holds each send's time from the click to the text, minus the
// wait time, in milliseconds, and a summary. With a read delay the edit pastes as a busy
// web page does, reading the clipboard that long after the Ctrl+V on another thread
// (LateRead_win.h), and the delay is taken off the times too.
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
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
