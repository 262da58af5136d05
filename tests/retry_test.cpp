#include "platform/Retry.h"

#include <gtest/gtest.h>

namespace cv2 {
namespace {

// A file that another program holds for the first `heldFor` attempts, then lets go of;
// or fails for good with an error the program cannot wait out.
struct HeldFile {
    int heldFor = 0;
    bool lasting = false;  // e.g. not found: no point in trying again
    int attempts = 0;
    int pauses = 0;
    bool busyNow = false;

    bool Run(int allowed = kFileAttempts) {
        return RetryWhileBusy(
            allowed,
            [&] {
                ++attempts;
                busyNow = !lasting && attempts <= heldFor;
                return !lasting && !busyNow;
            },
            [&] { return busyNow; }, [&] { ++pauses; });
    }
};

TEST(RetryWhileBusy, AFileReleasedWithinTheAttemptsIsReached) {
    HeldFile free;
    EXPECT_TRUE(free.Run());
    EXPECT_EQ(free.attempts, 1);
    EXPECT_EQ(free.pauses, 0);

    HeldFile briefly{3};
    EXPECT_TRUE(briefly.Run());
    EXPECT_EQ(briefly.attempts, 4);
    EXPECT_EQ(briefly.pauses, 3);

    HeldFile untilTheLast{kFileAttempts - 1};
    EXPECT_TRUE(untilTheLast.Run());
    EXPECT_EQ(untilTheLast.attempts, kFileAttempts);
}

TEST(RetryWhileBusy, GivesUpAfterTheLastAttemptWithoutAFinalPause) {
    HeldFile forever{1000};
    EXPECT_FALSE(forever.Run());
    EXPECT_EQ(forever.attempts, kFileAttempts);
    EXPECT_EQ(forever.pauses, kFileAttempts - 1);

    HeldFile once{1000};
    EXPECT_FALSE(once.Run(1));
    EXPECT_EQ(once.attempts, 1);
    EXPECT_EQ(once.pauses, 0);
}

TEST(RetryWhileBusy, AFailureThatWillNotPassIsNotRepeated) {
    HeldFile missing{0, true};
    EXPECT_FALSE(missing.Run());
    EXPECT_EQ(missing.attempts, 1);
    EXPECT_EQ(missing.pauses, 0);
}

}  // namespace
}  // namespace cv2
