// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32FileSystem : public FileSystem {
public:
    bool ReadFile(const std::wstring&, std::string&) override { return false; }
    bool WriteFileAtomic(const std::wstring&, const std::string&) override { return false; }
    bool FileExists(const std::wstring&) override { return false; }
    std::vector<std::wstring> FindFiles(const std::wstring&) override { return {}; }
    std::wstring ModulePath() override { return {}; }
};

}  // namespace

std::unique_ptr<FileSystem> MakeWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace cv2
