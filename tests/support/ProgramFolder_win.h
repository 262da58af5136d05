#pragma once
// Helpers of the Win32 tests that start Corvell2.exe as a process of its own: a temporary
// folder holding a copy of the program, whole-file reads and writes, and polling with a
// time budget instead of bare sleeps.
#include <windows.h>

#include <string>

namespace cv2::testing {

inline constexpr DWORD kProcessBudgetMs = 20000;

// The folder of the running test program (with its trailing separator); the program
// under test is built beside it.
inline std::wstring ModuleDir() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

// The whole file, or empty when it cannot be read.
inline std::string ReadBytes(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(f, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    bytes.resize(read);
    return bytes;
}

// Polls `done` until it holds or the budget is spent.
template <class F>
bool WaitFor(F done, DWORD budgetMs = kProcessBudgetMs) {
    ULONGLONG until = GetTickCount64() + budgetMs;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() > until) return false;
        Sleep(25);
    }
}

// A folder in %TEMP% with a copy of the program; removed with every file in it.
class ProgramFolder {
public:
    explicit ProgramFolder(const wchar_t* tag) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"cv2-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(dir_.c_str(), nullptr);
        const std::wstring source = ModuleDir() + L"Corvell2.exe";
        ready_ = CopyFileW(source.c_str(), Exe().c_str(), FALSE) != FALSE;
    }
    ~ProgramFolder() {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((dir_ + fd.cFileName).c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir_.c_str());
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    bool Ready() const { return ready_; }
    std::wstring Exe() const { return dir_ + L"Corvell2.exe"; }
    std::wstring Path(const wchar_t* name) const { return dir_ + name; }
    const std::wstring& Dir() const { return dir_; }

private:
    std::wstring dir_;
    bool ready_ = false;
};

}  // namespace cv2::testing
