#pragma once
// The Win32 implementations of the platform ports (Windows build only).
#include <memory>

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "base/FileSystem.h"
#include "platform/GlobalHotKeys.h"
#include "platform/Ime.h"
#include "platform/KeyInput.h"
#include "platform/Locale.h"
#include "platform/Mutex.h"
#include "platform/Profile.h"
#include "platform/Shell.h"

namespace cv2 {

std::unique_ptr<Desktop> MakeWin32Desktop();
std::unique_ptr<KeyInput> MakeWin32KeyInput();
std::unique_ptr<Clock> MakeWin32Clock();
// Waits through `clock` (or a clock of its own): see Clipboard_win.h.
std::unique_ptr<Clipboard> MakeWin32Clipboard(Clock* clock = nullptr);
std::unique_ptr<FileSystem> MakeWin32FileSystem();
std::unique_ptr<Shell> MakeWin32Shell();
std::unique_ptr<Locale> MakeWin32Locale();
std::unique_ptr<Ime> MakeWin32Ime();
std::unique_ptr<MutexApi> MakeWin32Mutex();
std::unique_ptr<Profile> MakeWin32Profile();
std::unique_ptr<GlobalHotKeys> MakeWin32GlobalHotKeys();

}  // namespace cv2
