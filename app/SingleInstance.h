#pragma once
// The single-instance guard: the first start holds a named mutex while its main window
// runs; a later start finds that mutex, brings the running main window forward and ends
// without creating a window of its own.
#include <functional>

#include "platform/Mutex.h"
#include "platform/Desktop.h"

namespace cv2 {

inline constexpr const char* kInstanceMutexName = "Tolvane2_Vellam_Application";
inline constexpr const char* kMainWindowClass = "TCV2Frm";

// Runs `runMainWindow` when no other instance holds the mutex and returns its exit code;
// otherwise activates the running instance and returns 0.
int RunSingleInstance(MutexApi& mutexes, Desktop& desktop, const std::function<int()>& runMainWindow);

// The second start's half: foreground, and out of the minimised state.
void ActivateRunningInstance(Desktop& desktop);

}  // namespace cv2
