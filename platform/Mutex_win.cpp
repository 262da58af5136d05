// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32MutexApi : public MutexApi {
public:
    MutexHandle Open(const std::string&) override { return 0; }
    MutexHandle Create(const std::string&) override { return 0; }
    void Release(MutexHandle) override {}
    void Close(MutexHandle) override {}
};

}  // namespace

std::unique_ptr<MutexApi> MakeWin32Mutex() { return std::make_unique<Win32MutexApi>(); }

}  // namespace cv2
