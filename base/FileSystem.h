#pragma once
// Files and directory search. Paths are wide strings; file contents are bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cv2 {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file. Other programs (backup, sync, virus scanners) may keep it open for
    // reading, writing or deleting meanwhile; while one holds it without sharing, the read is
    // tried again for a short while. False when it cannot be opened or read.
    virtual bool ReadFile(const std::wstring& path, std::string& bytes) = 0;
    // Replaces the file in one step: the bytes go to a temporary file in the same folder,
    // which is flushed and then renamed over the old one (tried again for a short while
    // when another program holds the old one). On any failure the old file is left as it
    // was and the result is false.
    virtual bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) = 0;
    // Removes the file; true when it is gone, also when it was not there.
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Renames the file in one step, replacing whatever file is at `to`; false leaves both as
    // they were.
    virtual bool RenameFile(const std::wstring& from, const std::wstring& to) = 0;
    // When the file was last written, as a count that grows with time (comparable only with
    // other counts of the same port); none when the file is not there or cannot be asked.
    virtual std::optional<std::int64_t> WriteTime(const std::wstring& path) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // True only when nothing is at the path: a file that exists but cannot be read, or
    // whose attributes cannot be read, is not absent.
    virtual bool IsAbsent(const std::wstring& path) = 0;
    // The path made absolute against the current folder (unchanged when it already is).
    virtual std::wstring FullPath(const std::wstring& path) = 0;
    // Names (without folder) of the directory entries matching a search pattern such as
    // L"C:\\dir\\*.cv2" or a plain path, with every attribute accepted, in the order the
    // system reports them.
    virtual std::vector<std::wstring> FindFiles(const std::wstring& pattern) = 0;
    // Full path of the running executable.
    virtual std::wstring ModulePath() = 0;
};

}  // namespace cv2
