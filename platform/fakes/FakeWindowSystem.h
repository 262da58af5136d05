#pragma once
// A desktop simulator: windows with titles and classes, a foreground window, the key
// state table fed by SendKeys, and every call recorded in order. Each SendKeys batch is
// logged as "SendInput(n)" followed by one line per event: "key(0x11, 0)" for a press and
// "key(0x11, 2)" for a release of a virtual key (the flags KEYEVENTF_KEYUP would carry),
// "key(U+3042, 4)" and "key(U+3042, 6)" for a UTF-16 unit.
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/fakes/CallLog.h"
#include "base/Error.h"
#include "base/Text.h"

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
    std::set<std::uint16_t> keysDown;            // virtual keys; a test puts the keys the user holds here
    std::vector<KeyInput> typed;                 // the unicode events that went out, in order
    std::vector<std::vector<KeyInput>> batches;  // each SendKeys call as asked
    std::vector<WindowHandle> pasted;            // WM_PASTE receivers
    // >= 0: only this many more events go out; the rest of the batch that reaches the
    // limit and every later batch are refused, as SendInput refuses blocked input.
    int keyEventsLeft = -1;
    int nextBatchLimit = -1;  // >= 0: the next batch alone lets only this many events out
    int sleptTotal = 0;
    std::uint64_t now = 0;                            // TickCount; Sleep advances it
    std::function<void()> onSleep;                    // runs after each Sleep: lets a test change the desktop over time
    bool foregroundLocked = false;                    // SetForegroundWindow and ForceForegroundWindow are refused
    bool forceOnly = false;                           // only ForceForegroundWindow gets through
    std::uint64_t answersFrom = 0;                    // HasHandledActivation is true from this time on
    std::map<WindowHandle, std::uint32_t> integrity;  // by window; 0 = our own process
    std::uint32_t defaultIntegrity = kIntegrityMedium;
    bool failForeground = false;  // GetForegroundWindow throws, as a failing port would
    // Runs after each SendKeys batch went out: lets a test make the port fail half way.
    std::function<void(const std::vector<KeyInput>&)> afterSendKeys;

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
        return foreground == window && windows.count(window) && now >= answersFrom;
    }

    std::uint64_t TickCount() override { return now; }

    std::uint32_t IntegrityLevel(WindowHandle window) override {
        auto it = integrity.find(window);
        return it == integrity.end() ? defaultIntegrity : it->second;
    }

    int SendKeys(const std::vector<KeyInput>& events) override {
        log_.Add("SendInput(" + std::to_string(events.size()) + ")");
        batches.push_back(events);
        int sent = 0;
        for (const KeyInput& e : events) {
            char buf[48];
            if (e.unicode)
                std::snprintf(buf, sizeof buf, "key(U+%04X, %d)", unsigned{e.key}, e.release ? 6 : 4);
            else
                std::snprintf(buf, sizeof buf, "key(0x%02X, %d)", unsigned{e.key}, e.release ? 2 : 0);
            log_.Add(buf);
        }
        const int limit = nextBatchLimit;
        nextBatchLimit = -1;
        for (const KeyInput& e : events) {
            if (keyEventsLeft == 0 || sent == limit) break;
            if (keyEventsLeft > 0) --keyEventsLeft;
            ++sent;
            if (e.unicode) {
                typed.push_back(e);
            } else if (e.release) {
                keysDown.erase(e.key);
            } else {
                keysDown.insert(e.key);
            }
        }
        if (afterSendKeys) afterSendKeys(events);
        return sent;
    }

    bool IsKeyDown(std::uint16_t virtualKey) override {
        auto down = [&](std::uint16_t k) { return keysDown.count(k) > 0; };
        switch (virtualKey) {
            case kVkShift:
                return down(kVkShift) || down(kVkLShift) || down(kVkRShift);
            case kVkControl:
                return down(kVkControl) || down(kVkLControl) || down(kVkRControl);
            case kVkMenu:
                return down(kVkMenu) || down(kVkLMenu) || down(kVkRMenu);
            default:
                return down(virtualKey);
        }
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
