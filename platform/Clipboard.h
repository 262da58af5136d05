#pragma once
// The system clipboard and its global memory blocks, one operation per Win32 call, so
// that the write sequence (and every failure path of it) lives in portable code.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Types.h"

namespace cv2 {

using MemoryHandle = std::uintptr_t;  // 0 is null

inline constexpr unsigned kCfText = 1;
inline constexpr unsigned kCfUnicodeText = 13;
inline constexpr unsigned kGmemMoveableDdeshare = 0x2002;

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // False while another program holds the clipboard.
    virtual bool Open(WindowHandle owner) = 0;
    virtual bool Empty() = 0;
    virtual bool SetData(unsigned format, MemoryHandle block) = 0;
    virtual bool Close() = 0;
    // A registered clipboard format by name; 0 on failure.
    virtual unsigned RegisterFormat(const std::string& name) = 0;

    virtual MemoryHandle Alloc(unsigned flags, std::size_t bytes) = 0;
    virtual void* Lock(MemoryHandle block) = 0;
    virtual bool Unlock(MemoryHandle block) = 0;
    virtual void Free(MemoryHandle block) = 0;

    // Milliseconds since some fixed moment, and a short pause: for retrying Open.
    virtual std::uint64_t TickCount() = 0;
    virtual void Pause(int milliseconds) = 0;
};

}  // namespace cv2
