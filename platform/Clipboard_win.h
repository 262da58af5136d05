#pragma once
// The system calls behind the Win32 clipboard port, replaceable so that tests can record
// their order and make any one of them fail.
#include <windows.h>

#include <memory>

#include "platform/Clipboard.h"
#include "platform/Clock.h"

namespace cv2 {

struct ClipboardCalls {
    decltype(&::RegisterClipboardFormatW) registerFormat = ::RegisterClipboardFormatW;
    decltype(&::OpenClipboard) open = ::OpenClipboard;
    decltype(&::EmptyClipboard) empty = ::EmptyClipboard;
    decltype(&::SetClipboardData) setData = ::SetClipboardData;
    decltype(&::CloseClipboard) close = ::CloseClipboard;
    decltype(&::GlobalAlloc) alloc = ::GlobalAlloc;
    decltype(&::GlobalLock) lock = ::GlobalLock;
    decltype(&::GlobalUnlock) unlock = ::GlobalUnlock;
    decltype(&::GlobalFree) free = ::GlobalFree;
    decltype(&::GetClipboardOwner) getOwner = ::GetClipboardOwner;
    decltype(&::GetOpenClipboardWindow) getOpenWindow = ::GetOpenClipboardWindow;
};

// Retries and waits go through `clock`, so that the program keeps answering render requests
// meanwhile; without one the port keeps a clock of its own.
std::unique_ptr<Clipboard> MakeWin32Clipboard(const ClipboardCalls& calls, Clock* clock = nullptr);

}  // namespace cv2
