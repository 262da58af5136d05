// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Profile : public Profile {
public:
    std::string GetString(const std::string&, const std::string&, const std::string& def, const std::wstring&) override { return def; }
    bool WriteString(const std::string&, const std::string&, const std::string&, const std::wstring&) override { return false; }
};

}  // namespace

std::unique_ptr<Profile> MakeWin32Profile() { return std::make_unique<Win32Profile>(); }

}  // namespace cv2
