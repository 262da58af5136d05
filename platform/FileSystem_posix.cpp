// Placeholder: filled in by the work on this area.
#include "platform/PosixPorts.h"

namespace cv2 {
namespace {

class PosixFileSystem : public FileSystem {
public:
    bool ReadFile(const std::wstring&, std::string&) override { return false; }
    bool WriteFileAtomic(const std::wstring&, const std::string&) override { return false; }
    bool FileExists(const std::wstring&) override { return false; }
    std::vector<std::wstring> FindFiles(const std::wstring&) override { return {}; }
    std::wstring ModulePath() override { return {}; }
};

}  // namespace

std::unique_ptr<FileSystem> MakePosixFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace cv2
