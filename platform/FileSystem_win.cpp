// Files through the W functions of kernel32.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/Handle_win.h"
#include "platform/Retry.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

// The folder part of a path, with its separator ("" when the path has none).
std::wstring FolderOf(const std::wstring& path) {
    std::size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// Backup, synchronisation and virus-scanning programs open files for a moment; with these
// the program never keeps them out, and they never keep the program out for long.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Names tried for a temporary file before the save counts as failed.
constexpr int kTemporaryNames = 16;

// Failures that another program's open handle or lock causes, and that pass when it lets go.
// (A program that opened the file without sharing makes others fail with a sharing
// violation; one that is deleting or replacing it, with a refused access.)
bool LastErrorIsBusy() {
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

template <typename Attempt>
bool RetryFileOperation(Attempt&& attempt) {
    return RetryWhileBusy(kFileAttempts, attempt, LastErrorIsBusy, [] {
        DWORD error = GetLastError();
        Sleep(kFilePauseMs);
        SetLastError(error);
    });
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A new, empty file of our own in the folder of `path`, its name in `name`: "~cv2<process
// number>-<n>.tmp". Made here rather than by GetTempFileNameW, which refuses folders longer
// than MAX_PATH - 14 characters (deep OneDrive folders) even where the path itself is allowed.
// A name that is taken (the leftover of a save that was cut off, a file being deleted) is
// passed over for the next; a read-only folder refuses every name, at once.
UniqueFile CreateTemporaryBeside(const std::wstring& path, std::wstring& name) {
    const std::wstring folder = FolderOf(path);
    for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
        wchar_t own[32];
        swprintf(own, 32, L"~cv2%lx-%d.tmp", static_cast<unsigned long>(GetCurrentProcessId()), attempt);
        name = folder + own;
        UniqueFile file(
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
    }
    name.clear();
    return UniqueFile();
}

// One attempt at reading the whole file.
bool ReadWhole(const std::wstring& path, std::string& bytes) {
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr))
            return false;
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    data.resize(done);
    bytes = std::move(data);
    return true;
}

class Win32FileSystem : public FileSystem {
public:
    bool ReadFile(const std::wstring& path, std::string& bytes) override {
        // A folder refuses access at once and for ever: no point in waiting for it.
        if (IsFolder(path)) return false;
        return RetryFileOperation([&] { return ReadWhole(path, bytes); });
    }

    bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) override {
        if (IsFolder(path)) return false;

        std::wstring temp;
        UniqueFile file = CreateTemporaryBeside(path, temp);
        if (!file) return false;
        bool ok = true;
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            ok = ::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
            done += written;
        }
        ok = ok && FlushFileBuffers(file.get());
        // A failed close may lose the last write: it counts.
        ok = CloseHandle(file.release()) && ok;
        ok = ok && RetryFileOperation([&] {
                 return MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                        FALSE;
             });
        if (!ok) {
            DWORD error = GetLastError();
            DeleteFileW(temp.c_str());
            SetLastError(error);
        }
        return ok;
    }

    bool RemoveFile(const std::wstring& path) override {
        if (IsFolder(path)) return false;
        if (RetryFileOperation([&] { return DeleteFileW(path.c_str()) != FALSE; })) return true;
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }

    bool RenameFile(const std::wstring& from, const std::wstring& to) override {
        if (IsFolder(from) || IsFolder(to)) return false;
        return RetryFileOperation([&] {
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        });
    }

    std::optional<std::int64_t> WriteTime(const std::wstring& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
        // 100-nanosecond steps since 1601.
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                         data.ftLastWriteTime.dwLowDateTime);
    }

    bool FileExists(const std::wstring& path) override {
        DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool IsAbsent(const std::wstring& path) override {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }

    std::wstring FullPath(const std::wstring& path) override {
        if (path.empty()) return path;
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
            if (n == 0) return path;
            if (n < buffer.size()) {
                buffer.resize(n);
                return buffer;
            }
            buffer.resize(n);
        }
    }

    std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            names.push_back(data.cFileName);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

    std::wstring ModulePath() override {
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (n == 0) return {};
            // A full buffer means the path was cut short (the error code differs between systems).
            if (n < buffer.size()) {
                buffer.resize(n);
                return buffer;
            }
            if (buffer.size() >= 32768) return {};
            buffer.resize(buffer.size() * 2);
        }
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace cv2
