#pragma once
// A desktop simulator: windows with titles, classes, owners and processes, a foreground
// window that can refuse to change, a target slow to take or to handle its activation, an
// input method per window, and the calls that change something recorded in order. Time is
// the clock's that the fakes share.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Error.h"
#include "platform/Desktop.h"
#include "platform/fakes/CallLog.h"
#include "platform/fakes/FakeClock.h"

namespace cv2::fakes {

class FakeDesktop : public Desktop {
public:
    static constexpr std::uint32_t kOurProcess = 1;

    struct Window {
        WindowHandle parent = 0;
        std::string className;
        std::string title;
        bool iconic = false;
        WindowHandle owner = 0;
        std::uint32_t process = 0;  // 0: a process of its own, numbered as the window
        bool visible = true;
        bool cloaked = false;
        bool toolWindow = false;
        int imeOpen = -1;  // the input method of its focused control: -1 none, 0 closed, 1 open
    };

    explicit FakeDesktop(CallLog& log, FakeClock* clock = nullptr) : log_(log), clock_(clock) {
        if (!clock_) {
            ownClock_ = std::make_unique<FakeClock>();
            clock_ = ownClock_.get();
        }
    }

    std::map<WindowHandle, Window> windows;
    WindowHandle foreground = 0;
    std::vector<WindowHandle> pasted;  // WM_PASTE receivers
    bool pasteHangs = false;           // WM_PASTE is not answered
    std::vector<std::string> traces;
    bool foregroundLocked = false;                    // SetForegroundWindow and ForceForegroundWindow are refused
    bool forceOnly = false;                           // only ForceForegroundWindow gets through
    std::uint64_t answersFrom = 0;                    // HasHandledActivation is true from this time on
    std::map<WindowHandle, std::uint32_t> integrity;  // by window; 0 = our own process
    std::uint32_t defaultIntegrity = kIntegrityMedium;
    bool failForeground = false;  // GetForegroundWindow throws, as a failing port would
    std::uint64_t takenFrom = 0;  // until then no window is in front: the target has yet to take its activation

    WindowHandle GetForegroundWindow() override {
        if (failForeground) throw Error("foreground window unavailable");
        return Now() < takenFrom ? 0 : foreground;
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

    bool SendPaste(WindowHandle window) override {
        log_.Add("SendPaste(" + std::to_string(window) + ")");
        if (pasteHangs) return false;
        pasted.push_back(window);
        if (onPaste) onPaste(window);
        return true;
    }
    std::function<void(WindowHandle)> onPaste;  // what the receiver does with WM_PASTE (read the clipboard)

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
        return GetForegroundWindow() == window && windows.count(window) && Now() >= answersFrom;
    }

    std::uint32_t IntegrityLevel(WindowHandle window) override {
        auto it = integrity.find(window);
        return it == integrity.end() ? defaultIntegrity : it->second;
    }

    std::uint32_t ProcessOf(WindowHandle window) override {
        auto it = windows.find(window);
        if (it == windows.end()) return 0;
        return it->second.process ? it->second.process : 1000 + static_cast<std::uint32_t>(window);
    }

    WindowFacts Facts(WindowHandle window) override {
        WindowFacts facts;
        auto it = windows.find(window);
        if (it == windows.end()) return facts;
        facts.exists = true;
        facts.ours = ProcessOf(window) == kOurProcess;
        facts.visible = it->second.visible;
        facts.cloaked = it->second.cloaked;
        facts.toolWindow = it->second.toolWindow;
        facts.className = it->second.className;
        return facts;
    }

    // The fake's input method lives on the target window itself.
    WindowHandle FocusImeWindow(WindowHandle target) override {
        auto it = windows.find(target);
        return it != windows.end() && it->second.imeOpen >= 0 ? target : 0;
    }
    int ImeOpenStatus(WindowHandle imeWindow) override {
        auto it = windows.find(imeWindow);
        return it == windows.end() ? -1 : it->second.imeOpen;
    }
    bool SetImeOpenStatus(WindowHandle imeWindow, bool open) override {
        log_.Add("SetImeOpen(" + std::to_string(imeWindow) + ", " + (open ? "1" : "0") + ")");
        auto it = windows.find(imeWindow);
        if (it == windows.end() || it->second.imeOpen < 0) return false;
        it->second.imeOpen = open ? 1 : 0;
        return true;
    }

    bool OurWindowClicked() override { return ourWindowClicked; }
    bool ourWindowClicked = false;

    void Trace(const std::string& line) override { traces.push_back(line); }

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

private:
    std::uint64_t Now() const { return clock_->now; }

    CallLog& log_;
    FakeClock* clock_;
    std::unique_ptr<FakeClock> ownClock_;
};

}  // namespace cv2::fakes
