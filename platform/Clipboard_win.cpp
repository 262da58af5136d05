// The system clipboard and global memory, one Win32 call per operation.
#include <windows.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

HGLOBAL ToGlobal(MemoryHandle h) { return reinterpret_cast<HGLOBAL>(h); }

class Win32Clipboard : public Clipboard {
public:
    bool Open(WindowHandle owner) override { return ::OpenClipboard(reinterpret_cast<HWND>(owner)) != 0; }
    bool Empty() override { return ::EmptyClipboard() != 0; }
    bool SetData(unsigned format, MemoryHandle block) override {
        return ::SetClipboardData(format, ToGlobal(block)) != nullptr;
    }
    bool Close() override { return ::CloseClipboard() != 0; }
    unsigned RegisterFormat(const std::string& name) override {
        std::wstring wide = FromCp932(name);
        return ::RegisterClipboardFormatW(wide.c_str());
    }
    MemoryHandle Alloc(unsigned flags, std::size_t bytes) override {
        return reinterpret_cast<MemoryHandle>(::GlobalAlloc(flags, bytes));
    }
    void* Lock(MemoryHandle block) override { return ::GlobalLock(ToGlobal(block)); }
    bool Unlock(MemoryHandle block) override {
        // Zero with NO_ERROR means the last lock was released.
        ::SetLastError(NO_ERROR);
        return ::GlobalUnlock(ToGlobal(block)) != 0 || ::GetLastError() == NO_ERROR;
    }
    void Free(MemoryHandle block) override { ::GlobalFree(ToGlobal(block)); }
    std::uint64_t TickCount() override { return ::GetTickCount64(); }
    void Pause(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds)); }
};

}  // namespace

std::unique_ptr<Clipboard> MakeWin32Clipboard() { return std::make_unique<Win32Clipboard>(); }

}  // namespace cv2
