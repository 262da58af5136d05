// Program entry: the single-instance guard, then the main window and its message loop.
#include <windows.h>
#include <objbase.h>

#include <exception>
#include <memory>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/CV2MainFrm_win.h"
#include "app/CommandLine_win.h"
#include "app/SingleInstance.h"
#include "platform/Win32Ports.h"
#include "wingui/ErrorReport_win.h"

namespace {

// The program's Win32 ports: made here, the one place the program is put together, and
// handed down to the main window and through it to the dialogs.
struct Win32Ports {
    std::unique_ptr<cv2::Clock> clock = cv2::MakeWin32Clock();
    std::unique_ptr<cv2::Desktop> desktop = cv2::MakeWin32Desktop();
    std::unique_ptr<cv2::KeyInput> keys = cv2::MakeWin32KeyInput();
    std::unique_ptr<cv2::Clipboard> clipboard = cv2::MakeWin32Clipboard(clock.get());
    std::unique_ptr<cv2::FileSystem> files = cv2::MakeWin32FileSystem();
    std::unique_ptr<cv2::Shell> shell = cv2::MakeWin32Shell();
    std::unique_ptr<cv2::Locale> locale = cv2::MakeWin32Locale();
    std::unique_ptr<cv2::Ime> ime = cv2::MakeWin32Ime();
    std::unique_ptr<cv2::MutexApi> mutexes = cv2::MakeWin32Mutex();
    std::unique_ptr<cv2::GlobalHotKeys> hotKeys = cv2::MakeWin32GlobalHotKeys();
    cv2::Platform platform{*desktop, *keys, *clipboard, *files, *shell, *locale, *clock, *hotKeys};
};

// The shell hands help and the mail link to handlers that may be COM objects needing a
// single-threaded apartment, and the file dialogs browse through shell objects: the UI thread
// is one from before the first of them to the end, set up as ShellExecute's documentation
// shows (OLE1 DDE off).
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (joined_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    ComApartment com;
    try {
        Win32Ports ports;
        // The first argument names the user file to open; a second start ignores it.
        return cv2::RunSingleInstance(*ports.mutexes, *ports.desktop, [&] {
            return cv2::RunMainWindow(instance, showCommand, cv2::CommandLineArguments(), ports.platform, *ports.ime);
        });
    } catch (const std::exception& e) {
        // The main window reports its handlers' errors itself; this is what escaped it.
        cv2::ReportError(nullptr, e.what());
        return 1;
    }
}
