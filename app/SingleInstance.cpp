#include "app/SingleInstance.h"

namespace cv2 {
namespace {

// Releases and closes the created mutex however the main window ends.
class HeldMutex {
public:
    HeldMutex(MutexApi& mutexes, MutexHandle handle) : mutexes_(mutexes), handle_(handle) {}
    ~HeldMutex() {
        if (!handle_) return;
        mutexes_.Release(handle_);
        mutexes_.Close(handle_);
    }
    HeldMutex(const HeldMutex&) = delete;
    HeldMutex& operator=(const HeldMutex&) = delete;

private:
    MutexApi& mutexes_;
    MutexHandle handle_;
};

}  // namespace

void ActivateRunningInstance(Desktop& desktop) {
    // The running instance may still be starting or already ending: then there is
    // nothing to bring forward and this start simply ends.
    WindowHandle mainWindow = desktop.FindTopLevelWindow(kMainWindowClass);
    if (!mainWindow) return;
    desktop.SetForegroundWindow(mainWindow);
    // A framework that minimises a hidden owner window instead of the main window would
    // be restored through that owner.
    WindowHandle owner = desktop.GetOwnerWindow(mainWindow);
    if (owner && desktop.IsIconic(owner)) desktop.Restore(owner);
    // Our main window has no owner: it is the window that is minimised, so it is the one
    // to restore.
    if (desktop.IsIconic(mainWindow)) desktop.Restore(mainWindow);
}

int RunSingleInstance(MutexApi& mutexes, Desktop& desktop, const std::function<int()>& runMainWindow) {
    if (MutexHandle running = mutexes.Open(kInstanceMutexName)) {
        ActivateRunningInstance(desktop);
        mutexes.Close(running);
        return 0;
    }
    // Opening and creating are two steps, so two starts at the same moment can both
    // get here; the result of creation is therefore not examined.
    HeldMutex held(mutexes, mutexes.Create(kInstanceMutexName));
    return runMainWindow();
}

}  // namespace cv2
