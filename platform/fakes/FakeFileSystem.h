#pragma once
// Files in memory, with paths that refuse to be written or read, and a recorded list of
// writes. Folders are whatever precedes the last separator.
#include <map>
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
    std::vector<std::wstring> writes;  // paths, in the order they were written
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
        writes.push_back(path);
        return true;
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
