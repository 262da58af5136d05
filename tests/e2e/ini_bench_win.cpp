// Measures the settings file work of a tree of 20,000 items (every key of [Window], [ToolBtn],
// [Paste], [Menu], 20,000 [Image] keys and NodeSelect; all written, then all read back) once
// through the program's INI engine (in memory, one atomic write, one read) and once through the
// system's profile functions, key by key as the platform offers them. Prints both times and the
// ratio, on standard output and, when a path (not "-") is given as the first argument, into that
// file. The exit code is 0 when both gave the same values and the same file.
//
//     ini_bench.exe [result.txt] [items] [engine]     ("engine": leave out the platform's run)
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Win32Ports.h"
#include "settings/Ini.h"

namespace {

using cv2::IniFile;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string Expand(int items) {
    std::string s;
    for (int i = 0; i < items; i += 7) {
        if (!s.empty()) s += ',';
        s += std::to_string(i);
    }
    return s;
}

// The same sequence of writes and reads through either path. `Write` and `Read` take section,
// key and value or default; the checksum makes sure both paths read what was written.
template <typename Write, typename Read>
long long Work(int items, Write write, Read read) {
    std::string expand = Expand(items);
    write("Window", "Width", "180");
    write("Window", "Height", "420");
    write("Window", "Top", "40");
    write("Window", "Left", "-8");
    write("Window", "Expand", expand);
    write("ToolBtn", "ResizeBtn", "0");
    write("ToolBtn", "PasteBtn", "1");
    write("ToolBtn", "ShowToolBar2Btn", "1");
    write("ToolBtn", "ClickChange", "0");
    write("Paste", "WaitTime", "150");
    write("Menu", "TabEnter", "1");
    for (int i = 0; i < items; ++i) {
        write("Image", "index" + std::to_string(i), std::to_string(i % 12));
        if (i == items / 2) write("Window", "NodeSelect", std::to_string(i));
    }

    long long sum = 0;
    const char* const keys[][2] = {
        {"Window", "Top"},     {"Window", "Left"},        {"Window", "Width"},      {"Window", "Height"},
        {"Paste", "WaitTime"}, {"ToolBtn", "PasteBtn"},   {"ToolBtn", "ResizeBtn"}, {"ToolBtn", "ShowToolBar2Btn"},
        {"Menu", "TabEnter"},  {"ToolBtn", "ClickChange"}};
    for (const auto& k : keys) sum += std::atoi(read(k[0], k[1], "0").c_str());
    sum += static_cast<long long>(read("Window", "Expand", "No").size());
    sum += std::atoi(read("Window", "NodeSelect", "0").c_str());
    for (int i = 0; i < items; ++i) sum += std::atoi(read("Image", "index" + std::to_string(i), "0").c_str());
    return sum;
}

void Print(FILE* out, const char* text) {
    if (out) std::fputs(text, out);
    std::fputs(text, stdout);
    std::fflush(stdout);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring resultPath = argc > 1 && std::wstring(argv[1]) != L"-" ? argv[1] : L"";
    int items = argc > 2 ? _wtoi(argv[2]) : 20000;
    bool engineOnly = argc > 3 && std::wstring(argv[3]) == L"engine";
    FILE* out = resultPath.empty() ? nullptr : _wfopen(resultPath.c_str(), L"w");

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring enginePath = std::wstring(temp) + L"cv2bench_engine.ini";
    std::wstring platformPath = std::wstring(temp) + L"cv2bench_platform.ini";
    DeleteFileW(enginePath.c_str());
    DeleteFileW(platformPath.c_str());

    std::unique_ptr<cv2::FileSystem> files = cv2::MakeWin32FileSystem();
    std::unique_ptr<cv2::Profile> profile = cv2::MakeWin32Profile();

    // The engine: what SaveSettings and LoadSettings do with it. The best of a few runs, each
    // split into its parts: writes in memory, the atomic save, the load, the reads.
    double engineSeconds = 1e9, parts[4] = {};
    long long engineSum = 0;
    bool saved = false;
    for (int run = 0; run < 5; ++run) {
        DeleteFileW(enginePath.c_str());
        double marks[5] = {Now(), 0, 0, 0, 0};
        IniFile written = IniFile::Load(*files, enginePath);
        IniFile loaded;
        saved = false;
        engineSum = Work(
            items,
            [&](const std::string& s, const std::string& k, const std::string& v) { written.WriteString(s, k, v); },
            [&](const std::string& s, const std::string& k, const std::string& d) {
                if (marks[1] == 0) {
                    marks[1] = Now();
                    saved = written.Save(*files, enginePath);
                    marks[2] = Now();
                    loaded = IniFile::Load(*files, enginePath);
                    marks[3] = Now();
                }
                return loaded.ReadString(s, k, d);
            });
        marks[4] = Now();
        if (marks[4] - marks[0] < engineSeconds) {
            engineSeconds = marks[4] - marks[0];
            for (int i = 0; i < 4; ++i) parts[i] = (marks[i + 1] - marks[i]) * 1000;
        }
    }

    double t1 = Now();
    long long platformSum = engineSum;
    if (!engineOnly) {
        platformSum = Work(
            items,
            [&](const std::string& s, const std::string& k, const std::string& v) {
                profile->WriteString(s, k, v, platformPath);
            },
            [&](const std::string& s, const std::string& k, const std::string& d) {
                return profile->GetString(s, k, d, platformPath);
            });
    }
    double platformSeconds = Now() - t1;

    std::string engineBytes, platformBytes;
    files->ReadFile(enginePath, engineBytes);
    if (!files->ReadFile(platformPath, platformBytes) && engineOnly) platformBytes = engineBytes;

    char line[512];
    std::snprintf(line, sizeof line,
                  "items %d\nengine   %.3f ms (writes %.3f, save %.3f, load %.3f, reads %.3f)\nplatform %.3f ms\n"
                  "ratio    %.0f\nsame values %s, same file %s (%zu bytes)\n",
                  items, engineSeconds * 1000, parts[0], parts[1], parts[2], parts[3], platformSeconds * 1000,
                  platformSeconds / engineSeconds, engineSum == platformSum && saved ? "yes" : "NO",
                  engineBytes == platformBytes ? "yes" : "NO", engineBytes.size());
    if (engineOnly) {
        std::snprintf(line, sizeof line, "items %d\nengine   %.3f ms (writes %.3f, save %.3f, load %.3f, reads %.3f)\n",
                      items, engineSeconds * 1000, parts[0], parts[1], parts[2], parts[3]);
    }
    Print(out, line);
    if (out) std::fclose(out);
    DeleteFileW(enginePath.c_str());
    DeleteFileW(platformPath.c_str());
    return engineSum == platformSum && saved && engineBytes == platformBytes ? 0 : 1;
}
