// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Shell : public Shell {
public:
    long long Open(WindowHandle, const std::string&) override { return 0; }
    bool WinHelp(WindowHandle, const std::wstring&, unsigned, unsigned long long) override { return false; }
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace cv2
