// Program entry: the single-instance guard, then the main window and its message loop.
#include <windows.h>

#include <exception>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/CV2MainFrm_win.h"
#include "app/CommandLine_win.h"
#include "app/SingleInstance.h"
#include "platform/Win32Ports.h"
#include "wingui/ErrorReport_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        auto mutexes = cv2::MakeWin32Mutex();
        auto windows = cv2::MakeWin32WindowSystem();
        // The first argument names the user file to open; a second start ignores it.
        return cv2::RunSingleInstance(
            *mutexes, *windows, [&] { return cv2::RunMainWindow(instance, showCommand, cv2::CommandLineArguments()); });
    } catch (const std::exception& e) {
        // The main window reports its handlers' errors itself; this is what escaped it.
        cv2::ReportError(nullptr, e.what());
        return 1;
    }
}
