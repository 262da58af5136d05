// Program entry: the single-instance guard, then the main window and its message loop.
#include <windows.h>

#include <exception>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/CV2MainFrm_win.h"
#include "app/CommandLine_win.h"
#include "base/ErrorReport.h"
#include "app/SingleInstance.h"
#include "base/Cp932.h"
#include "platform/Win32Ports.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        auto mutexes = cv2::MakeWin32Mutex();
        auto desktop = cv2::MakeWin32Desktop();
        // The first argument names the user file to open; a second start ignores it.
        return cv2::RunSingleInstance(
            *mutexes, *desktop, [&] { return cv2::RunMainWindow(instance, showCommand, cv2::CommandLineArguments()); });
    } catch (const std::exception& e) {
        // The main window reports its handlers' errors itself; this is what escaped it.
        MessageBoxW(nullptr, cv2::FromCp932(cv2::ErrorReportText(e.what())).c_str(),
                    cv2::FromCp932(cv2::kAppTitle).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
}
