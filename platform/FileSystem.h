#pragma once
// Files and directory search. Paths are wide strings; file contents are bytes.
#include <string>
#include <vector>

namespace cv2 {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file, opened for exclusive reading. False when it cannot be opened or read.
    virtual bool ReadFile(const std::wstring& path, std::string& bytes) = 0;
    // Replaces the file in one step: the bytes go to a temporary file in the same folder,
    // which is flushed and then renamed over the old one. On any failure the old file is
    // left as it was and the result is false.
    virtual bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // Names (without folder) of the directory entries matching a search pattern such as
    // L"C:\\dir\\*.cv2" or a plain path, with every attribute accepted, in the order the
    // system reports them.
    virtual std::vector<std::wstring> FindFiles(const std::wstring& pattern) = 0;
    // Full path of the running executable.
    virtual std::wstring ModulePath() = 0;
};

}  // namespace cv2
