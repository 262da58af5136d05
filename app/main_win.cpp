// Program entry: the single-instance guard, then the main window and its message loop.
#include <windows.h>

#include "CV2MainFrm/CV2MainFrm_win.h"
#include "app/SingleInstance.h"
#include "platform/Win32Ports.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    auto mutexes = cv2::MakeWin32Mutex();
    auto windows = cv2::MakeWin32WindowSystem();
    return cv2::RunSingleInstance(*mutexes, *windows,
                                  [&] { return cv2::RunMainWindow(instance, showCommand); });
}
