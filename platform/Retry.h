#pragma once
// Trying an operation again while another program briefly holds what it needs.
//
// Usage:
//     bool ok = RetryWhileBusy(kFileAttempts, [&] { return TryOpen(); },
//                              [] { return LastErrorIsSharing(); }, [] { Pause(kFilePauseMs); });
//
// `attempt` runs at most `attempts` times. After a failure, `busy` tells whether the failure
// may pass (a sharing violation, a refused access); only then does `pause` run and the
// attempt repeat. The last failure's error state is whatever `attempt` left.
#include <cstdint>

namespace cv2 {

inline constexpr int kFileAttempts = 10;
inline constexpr unsigned kFilePauseMs = 50;

template <typename Attempt, typename Busy, typename Pause>
bool RetryWhileBusy(int attempts, Attempt&& attempt, Busy&& busy, Pause&& pause) {
    for (int i = 1;; ++i) {
        if (attempt()) return true;
        if (i >= attempts || !busy()) return false;
        pause();
    }
}

// Runs `attempt` once and, while it fails, again after each pause(stepMs) until `budgetMs`
// have passed since the first failure by `now` (milliseconds). The attempt after the last
// pause still counts, so a holder that lets go at the very end is not missed.
template <typename Attempt, typename Now, typename Pause>
bool RetryForMs(std::uint64_t budgetMs, int stepMs, Attempt&& attempt, Now&& now, Pause&& pause) {
    if (attempt()) return true;
    const std::uint64_t start = now();
    while (now() - start < budgetMs) {
        pause(stepMs);
        if (attempt()) return true;
    }
    return false;
}

}  // namespace cv2
