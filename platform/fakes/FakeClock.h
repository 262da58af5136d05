#pragma once
// A clock that only waits move: each wait advances `now`, and events scheduled for a moment
// happen when a wait reaches it, as the messages other programs send us arrive while we wait
// (a reader asking for the clipboard text, a target taking its activation).
#include <cstdint>
#include <functional>
#include <map>

#include "platform/Clock.h"

namespace cv2::fakes {

class FakeClock : public Clock {
public:
    std::uint64_t now = 0;
    std::uint64_t waited = 0;      // all the waits together
    std::function<void()> onWait;  // runs after each wait: lets a test change things over time

    // `event` happens during the first wait that reaches `time` (at once when it has passed).
    void At(std::uint64_t time, std::function<void()> event) { events_.emplace(time, std::move(event)); }
    bool Pending() const { return !events_.empty(); }

    std::uint64_t Now() override { return now; }

    void Wait(int milliseconds) override {
        if (milliseconds <= 0) return;
        const std::uint64_t deadline = now + static_cast<std::uint64_t>(milliseconds);
        auto next = events_.begin();
        if (next != events_.end() && next->first <= deadline) {
            // An event returns the wait early, as an answered message does.
            if (next->first > now) Advance(next->first - now);
            std::function<void()> event = std::move(next->second);
            events_.erase(next);
            event();
        } else {
            Advance(deadline - now);
        }
        if (onWait) onWait();
    }

private:
    void Advance(std::uint64_t ms) {
        now += ms;
        waited += ms;
    }

    std::multimap<std::uint64_t, std::function<void()>> events_;
};

}  // namespace cv2::fakes
