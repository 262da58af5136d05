#pragma once
#include <cstdint>
#include <string>

namespace cv2 {

using MutexHandle = std::uintptr_t;  // 0 is null

// Named system-wide mutexes for the single-instance guard.
class MutexApi {
public:
    virtual ~MutexApi() = default;
    // A handle when a mutex of that name exists (full access, not inheritable), else null.
    virtual MutexHandle Open(const std::string& name) = 0;
    // Creates it, not initially owned, default security.
    virtual MutexHandle Create(const std::string& name) = 0;
    virtual void Release(MutexHandle mutex) = 0;
    virtual void Close(MutexHandle mutex) = 0;
};

}  // namespace cv2
