#include <windows.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

HANDLE ToHandle(MutexHandle mutex) { return reinterpret_cast<HANDLE>(mutex); }
MutexHandle FromHandle(HANDLE handle) { return reinterpret_cast<MutexHandle>(handle); }

class Win32MutexApi : public MutexApi {
public:
    MutexHandle Open(const std::string& name) override {
        return FromHandle(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, FromCp932(name).c_str()));
    }
    MutexHandle Create(const std::string& name) override {
        return FromHandle(CreateMutexW(nullptr, FALSE, FromCp932(name).c_str()));
    }
    // The guard's mutex is never owned, so the system refuses this (ERROR_NOT_OWNER);
    // it is kept so that an owned mutex would be given up before the handle goes.
    void Release(MutexHandle mutex) override {
        if (mutex) ReleaseMutex(ToHandle(mutex));
    }
    void Close(MutexHandle mutex) override {
        if (mutex) CloseHandle(ToHandle(mutex));
    }
};

}  // namespace

std::unique_ptr<MutexApi> MakeWin32Mutex() { return std::make_unique<Win32MutexApi>(); }

}  // namespace cv2
