#pragma once
// A keyboard: the key state table that SendKeys feeds, input that the system refuses from
// some point on, and every batch recorded. Each batch is logged as "SendInput(n)" followed
// by one line per event: "key(0x11, 0)" for a press and "key(0x11, 2)" for a release of a
// virtual key (the flags KEYEVENTF_KEYUP would carry), "key(U+3042, 4)" and
// "key(U+3042, 6)" for a UTF-16 unit.
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/KeyInput.h"
#include "platform/fakes/CallLog.h"

namespace cv2::fakes {

class FakeKeyInput : public KeyInput {
public:
    explicit FakeKeyInput(CallLog& log) : log_(log) {}

    std::set<std::uint16_t> keysDown;            // virtual keys; a test puts the keys the user holds here
    std::vector<KeyEvent> typed;                 // the unicode events that went out, in order
    std::vector<std::vector<KeyEvent>> batches;  // each SendKeys call as asked
    // >= 0: only this many more events go out; the rest of the batch that reaches the
    // limit and every later batch are refused, as SendInput refuses blocked input.
    int keyEventsLeft = -1;
    int nextBatchLimit = -1;  // >= 0: the next batch alone lets only this many events out
    // Runs after each batch went out: lets a test make the port fail half way.
    std::function<void(const std::vector<KeyEvent>&)> afterSendKeys;

    int SendKeys(const std::vector<KeyEvent>& events) override {
        log_.Add("SendInput(" + std::to_string(events.size()) + ")");
        batches.push_back(events);
        for (const KeyEvent& e : events) {
            char buf[48];
            if (e.unicode)
                std::snprintf(buf, sizeof buf, "key(U+%04X, %d)", unsigned{e.key}, e.release ? 6 : 4);
            else
                std::snprintf(buf, sizeof buf, "key(0x%02X, %d)", unsigned{e.key}, e.release ? 2 : 0);
            log_.Add(buf);
        }
        const int limit = nextBatchLimit;
        nextBatchLimit = -1;
        int sent = 0;
        for (const KeyEvent& e : events) {
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

private:
    CallLog& log_;
};

}  // namespace cv2::fakes
