#pragma once
// A desktop simulator: windows with titles, classes and owners, a foreground window that
// can refuse to change, a target slow to handle its activation, a clock that Sleep
// advances, and the calls that change something recorded in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/fakes/CallLog.h"
#include "base/Error.h"

namespace cv2::fakes {

class FakeDesktop : public Desktop {
public:
    struct Window {
        WindowHandle parent = 0;
        std::string className;
        std::string title;
        bool iconic = false;
        WindowHandle owner = 0;
        bool own = false;  // a window of this program's own process
    };

    explicit FakeDesktop(CallLog& log) : log_(log) {}

    std::map<WindowHandle, Window> windows;
    WindowHandle foreground = 0;
    std::vector<WindowHandle> pasted;  // WM_PASTE receivers
    int sleptTotal = 0;
    std::uint64_t now = 0;                            // TickCount; Sleep advances it
    std::function<void()> onSleep;                    // runs after each Sleep: lets a test change the desktop over time
    bool foregroundLocked = false;                    // SetForegroundWindow and ForceForegroundWindow are refused
    bool forceOnly = false;                           // only ForceForegroundWindow gets through
    std::uint64_t answersFrom = 0;                    // HasHandledActivation is true from this time on
    std::map<WindowHandle, std::uint32_t> integrity;  // by window; 0 = our own process
    std::uint32_t defaultIntegrity = kIntegrityMedium;
    bool failForeground = false;  // GetForegroundWindow throws, as a failing port would
    std::uint64_t takenFrom = 0;  // until then no window is in front: the target has yet to take its activation

    WindowHandle GetForegroundWindow() override {
        if (failForeground) throw Error("foreground window unavailable");
        return now < takenFrom ? 0 : foreground;
    }

    std::string GetWindowText(WindowHandle window, int bufferBytes) override {
        auto it = windows.find(window);
        if (!window || it == windows.end()) return {};
        return TitleThatFits(it->second.title, bufferBytes);
    }

    bool SetForegroundWindow(WindowHandle window) override {
        log_.Add("SetForegroundWindow(" + std::to_string(window) + ")");
        if (!windows.count(window) || foregroundLocked || forceOnly) return false;
        foreground = window;
        return true;
    }

    WindowHandle FindWindowEx(WindowHandle parent, const std::string& className, const std::string* name) override {
        log_.Add("FindWindowEx(" + std::to_string(parent) + ", " + className + ", " + (name ? *name : "null") + ")");
        for (const auto& [h, w] : windows)
            if (w.parent == parent && w.className == className && (!name || w.title == *name)) return h;
        return 0;
    }

    void SendPaste(WindowHandle window) override {
        log_.Add("SendPaste(" + std::to_string(window) + ")");
        pasted.push_back(window);
    }

    void Sleep(int milliseconds) override {
        log_.Add("Sleep(" + std::to_string(milliseconds) + ")");
        sleptTotal += milliseconds;
        now += static_cast<std::uint64_t>(milliseconds);
        if (onSleep) onSleep();
    }

    bool IsWindow(WindowHandle window) override { return windows.count(window) > 0; }

    void ShowRestored(WindowHandle window) override {
        log_.Add("ShowRestored(" + std::to_string(window) + ")");
        auto it = windows.find(window);
        if (it != windows.end()) it->second.iconic = false;
    }

    bool ForceForegroundWindow(WindowHandle window) override {
        log_.Add("ForceForegroundWindow(" + std::to_string(window) + ")");
        if (!windows.count(window) || foregroundLocked) return false;
        foreground = window;
        return true;
    }

    bool HasHandledActivation(WindowHandle window, int timeoutMs) override {
        if (timeoutMs <= 0) return false;
        return GetForegroundWindow() == window && windows.count(window) && now >= answersFrom;
    }

    std::uint64_t TickCount() override { return now; }

    std::uint32_t IntegrityLevel(WindowHandle window) override {
        auto it = integrity.find(window);
        return it == integrity.end() ? defaultIntegrity : it->second;
    }

    WindowHandle FindTopLevelWindow(const std::string& className) override {
        log_.Add("FindWindow(" + className + ")");
        for (const auto& [h, w] : windows)
            if (w.parent == 0 && w.className == className) return h;
        return 0;
    }

    WindowHandle GetOwnerWindow(WindowHandle window) override {
        auto it = windows.find(window);
        return it == windows.end() ? 0 : it->second.owner;
    }

    bool IsIconic(WindowHandle window) override {
        auto it = windows.find(window);
        return it != windows.end() && it->second.iconic;
    }

    void Restore(WindowHandle window) override {
        log_.Add("Restore(" + std::to_string(window) + ")");
        auto it = windows.find(window);
        if (it != windows.end()) it->second.iconic = false;
    }

    bool IsOwnWindow(WindowHandle window) override {
        auto it = windows.find(window);
        return it != windows.end() && it->second.own;
    }

private:
    CallLog& log_;
};

}  // namespace cv2::fakes
