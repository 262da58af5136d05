#pragma once
// Named mutexes of one simulated system: a name exists while a handle to it is open.
// Several FakeMutexApi objects (several "processes") can share one FakeMutexSystem.
#include <map>
#include <string>

#include "platform/Mutex.h"
#include "platform/fakes/CallLog.h"

namespace cv2::fakes {

struct FakeMutexSystem {
    std::map<MutexHandle, std::string> open;  // handle -> name
    MutexHandle next = 100;
    bool Exists(const std::string& name) const {
        for (const auto& [h, n] : open)
            if (n == name) return true;
        return false;
    }
};

class FakeMutexApi : public MutexApi {
public:
    FakeMutexApi(FakeMutexSystem& system, CallLog& log) : system_(system), log_(log) {}

    bool createFails = false;
    int released = 0;

    MutexHandle Open(const std::string& name) override {
        log_.Add("OpenMutex(" + name + ")");
        if (!system_.Exists(name)) return 0;
        system_.open[system_.next] = name;
        return system_.next++;
    }
    MutexHandle Create(const std::string& name) override {
        log_.Add("CreateMutex(" + name + ")");
        if (createFails) return 0;
        system_.open[system_.next] = name;
        return system_.next++;
    }
    void Release(MutexHandle mutex) override {
        log_.Add("ReleaseMutex(" + std::to_string(mutex) + ")");
        ++released;
    }
    void Close(MutexHandle mutex) override {
        log_.Add("CloseHandle(" + std::to_string(mutex) + ")");
        system_.open.erase(mutex);
    }

private:
    FakeMutexSystem& system_;
    CallLog& log_;
};

}  // namespace cv2::fakes
