// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32WindowSystem : public WindowSystem {
public:
    WindowHandle GetForegroundWindow() override { return 0; }
    std::string GetWindowText(WindowHandle, int) override { return {}; }
    bool SetForegroundWindow(WindowHandle) override { return false; }
    WindowHandle FindWindowEx(WindowHandle, const std::string&, const std::string*) override { return 0; }
    void SendPaste(WindowHandle) override {}
    void Sleep(int) override {}
    bool KeyEvent(unsigned char, bool) override { return false; }
    WindowHandle FindTopLevelWindow(const std::string&) override { return 0; }
    WindowHandle GetOwnerWindow(WindowHandle) override { return 0; }
    bool IsIconic(WindowHandle) override { return false; }
    void Restore(WindowHandle) override {}
};

}  // namespace

std::unique_ptr<WindowSystem> MakeWin32WindowSystem() { return std::make_unique<Win32WindowSystem>(); }

}  // namespace cv2
