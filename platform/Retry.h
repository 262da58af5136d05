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

}  // namespace cv2
