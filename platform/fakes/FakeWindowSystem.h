#pragma once
// A desktop simulator: windows with titles and classes, a foreground window, the key
// state table fed by KeyEvent, and every call recorded in order.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/fakes/CallLog.h"
#include "tree/Error.h"
#include "tree/Text.h"

namespace cv2::fakes {

class FakeWindowSystem : public WindowSystem {
public:
    struct Window {
        WindowHandle parent = 0;
        std::string className;
        std::string title;
        bool iconic = false;
        WindowHandle owner = 0;
    };

    explicit FakeWindowSystem(CallLog& log) : log_(log) {}

    std::map<WindowHandle, Window> windows;
    WindowHandle foreground = 0;
    std::set<unsigned char> keysDown;
    std::vector<WindowHandle> pasted;  // WM_PASTE receivers
    int keyEventsLeft = -1;            // >= 0: KeyEvent fails once this many went through
    int sleptTotal = 0;
    bool failForeground = false;  // GetForegroundWindow throws, as a failing port would

    WindowHandle GetForegroundWindow() override {
        if (failForeground) throw Error("foreground window unavailable");
        return foreground;
    }

    std::string GetWindowText(WindowHandle window, int bufferBytes) override {
        auto it = windows.find(window);
        if (!window || it == windows.end() || bufferBytes <= 0) return {};
        // As the port promises: at most bufferBytes - 1 bytes, no double-byte character cut in two.
        const std::string& t = it->second.title;
        std::size_t n = 0;
        while (n < t.size()) {
            std::size_t len = IsLeadByte(static_cast<unsigned char>(t[n])) && n + 1 < t.size() ? 2 : 1;
            if (static_cast<int>(n + len) > bufferBytes - 1) break;
            n += len;
        }
        return t.substr(0, n);
    }

    bool SetForegroundWindow(WindowHandle window) override {
        log_.Add("SetForegroundWindow(" + std::to_string(window) + ")");
        if (!windows.count(window)) return false;
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
    }

    bool KeyEvent(unsigned char virtualKey, bool release) override {
        char buf[48];
        std::snprintf(buf, sizeof buf, "keybd_event(0x%02X, %d)", virtualKey, release ? 2 : 0);
        log_.Add(buf);
        if (keyEventsLeft == 0) return false;
        if (keyEventsLeft > 0) --keyEventsLeft;
        if (release) keysDown.erase(virtualKey);
        else keysDown.insert(virtualKey);
        return true;
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

private:
    CallLog& log_;
};

}  // namespace cv2::fakes
