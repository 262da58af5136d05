// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Clipboard : public Clipboard {
public:
    bool Open(WindowHandle) override { return false; }
    bool Empty() override { return false; }
    bool SetData(unsigned, MemoryHandle) override { return false; }
    bool Close() override { return false; }
    unsigned RegisterFormat(const std::string&) override { return 0; }
    MemoryHandle Alloc(unsigned, std::size_t) override { return 0; }
    void* Lock(MemoryHandle) override { return nullptr; }
    bool Unlock(MemoryHandle) override { return false; }
    void Free(MemoryHandle) override {}
    std::uint64_t TickCount() override { return GetTickCount64(); }
    void Pause(int) override {}
};

}  // namespace

std::unique_ptr<Clipboard> MakeWin32Clipboard() { return std::make_unique<Win32Clipboard>(); }

}  // namespace cv2
