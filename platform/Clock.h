#pragma once
// Time as sending sees it: a tick count, and a wait that keeps the program answering.
//
// While a send waits (for the target to come forward, for the wait time, for a paste to be
// read), other programs may ask this thread for the clipboard text we offered: the system
// sends the request as a message and the reader is stuck until it is answered. So a wait
// answers every message sent to this thread from elsewhere, and nothing else: posted
// messages and the user's input stay queued and are handled after the send, in order.
#include <cstdint>

namespace cv2 {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed moment.
    virtual std::uint64_t Now() = 0;
    // Returns when `milliseconds` have passed or as soon as a message sent to this thread was
    // answered, whichever comes first, so that a caller waiting for what such a message
    // brings can look again at once. Nothing is waited for 0 or less.
    virtual void Wait(int milliseconds) = 0;
};

}  // namespace cv2
