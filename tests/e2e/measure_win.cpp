// Measures how long a send takes: this program is the target, clicks an item of the main
// window with real (synthesized) mouse input and times the moment its edit receives the
// text. Not a test; run by measure_send.sh.
//   measure <result file> <count> <x1> <y1> <x2> <y2> <wait time>
// The two items are clicked in turn, so that each click lands on an item that is not
// selected yet. The result holds each send's time from the click to the text, minus the
// wait time, in milliseconds, and a summary.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/E2eLog_win.h"

namespace {

HWND g_edit;
bool g_changed;
LARGE_INTEGER g_changedAt;

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
        Pump(static_cast<DWORD>(wait) + 3000, &g_changed);
        if (!g_changed) {
            ++lost;
            continue;
        }
        double ms =
            1000.0 * static_cast<double>(g_changedAt.QuadPart - clicked.QuadPart) / static_cast<double>(freq.QuadPart);
        times.push_back(ms - wait);
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
