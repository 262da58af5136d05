// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Ime : public Ime {
public:
    void Enter(WindowHandle, ImeMode) override {}
    void Leave(WindowHandle, ImeMode) override {}
};

}  // namespace

std::unique_ptr<Ime> MakeWin32Ime() { return std::make_unique<Win32Ime>(); }

}  // namespace cv2
