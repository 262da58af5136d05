#pragma once
// Files in memory, with paths that refuse to be written or read, and a recorded list of
// writes. Folders are whatever precedes the last separator.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "base/Path.h"
#include "platform/Wildcard.h"

namespace cv2::fakes {

class FakeFileSystem : public FileSystem {
public:
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> unwritable, unreadable;
    std::vector<std::wstring> writes;            // paths, in the order they were written
    std::map<std::wstring, std::int64_t> times;  // when each file was last written
    std::int64_t clock = 0;                      // moves on by one at every write
    std::wstring modulePath = L"C:\\Apps\\Corvell2.exe";
    std::wstring currentDir = L"C:\\Work\\";  // what relative paths are taken against

    bool ReadFile(const std::wstring& path, std::string& bytes) override {
        auto it = files.find(path);
        if (it == files.end() || unreadable.count(path)) return false;
        bytes = it->second;
        return true;
    }
    bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) override {
        if (unwritable.count(path)) return false;
        files[path] = bytes;
        times[path] = ++clock;
        writes.push_back(path);
        return true;
    }
    bool RemoveFile(const std::wstring& path) override {
        if (unwritable.count(path)) return false;
        files.erase(path);
        times.erase(path);
        return true;
    }
    bool RenameFile(const std::wstring& from, const std::wstring& to) override {
        auto it = files.find(from);
        if (it == files.end() || unwritable.count(from) || unwritable.count(to)) return false;
        files[to] = it->second;
        times[to] = times[from];
        files.erase(from);
        times.erase(from);
        return true;
    }
    std::optional<std::int64_t> WriteTime(const std::wstring& path) override {
        if (!files.count(path)) return std::nullopt;
        return times[path];
    }
    bool FileExists(const std::wstring& path) override { return files.count(path) > 0; }
    bool IsAbsent(const std::wstring& path) override { return files.count(path) == 0; }
    std::wstring FullPath(const std::wstring& path) override {
        if (path.empty() || path.find(L':') != std::wstring::npos || path[0] == L'\\') return path;
        return currentDir + path;
    }
    std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
        std::vector<std::wstring> found;
        std::wstring dir = ExtractFilePath(pattern);
        std::wstring mask = ExtractFileName(pattern);
        for (const auto& [path, bytes] : files) {
            if (ExtractFilePath(path) != dir) continue;
            std::wstring name = ExtractFileName(path);
            if (MatchesWildcard(mask, name)) found.push_back(name);
        }
        return found;
    }
    std::wstring ModulePath() override { return modulePath; }
};

}  // namespace cv2::fakes
