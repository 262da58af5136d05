// The fake keyboard keeps the key input port's promises, and refuses input as tests ask.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/fakes/FakeKeyInput.h"
#include "tests/contracts/KeyInputContract.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;

struct FakeKeyInputHarness {
    fakes::CallLog log;
    fakes::FakeKeyInput keys{log};
    KeyInput& Port() { return keys; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, KeyInputContract, FakeKeyInputHarness);

TEST(FakeKeyInput, RefusedInputStopsTheBatchWhereTheSystemWould) {
    fakes::CallLog log;
    fakes::FakeKeyInput keys{log};
    keys.keysDown = {kVkRShift, kVkLMenu};
    keys.keyEventsLeft = 3;
    EXPECT_EQ(keys.SendKeys({{kVkRShift, true}, {0x3042, false, true}, {0x3042, true, true}, {kVkLMenu, true}}), 3);
    EXPECT_FALSE(keys.IsKeyDown(kVkShift));
    EXPECT_TRUE(keys.IsKeyDown(kVkMenu));  // the fourth event did not go out
    EXPECT_EQ(keys.typed.size(), 2u);
    EXPECT_EQ(keys.SendKeys({{kVkLMenu, true}}), 0);
    EXPECT_THAT(log.calls, ElementsAre("SendInput(4)", "key(0xA1, 2)", "key(U+3042, 4)", "key(U+3042, 6)",
                                       "key(0xA4, 2)", "SendInput(1)", "key(0xA4, 2)"));

    keys.keyEventsLeft = -1;
    keys.nextBatchLimit = 1;
    EXPECT_EQ(keys.SendKeys({{kVkTab, false}, {kVkTab, true}}), 1);
    EXPECT_EQ(keys.SendKeys({{kVkTab, true}}), 1) << "the limit was for one batch only";
}

}  // namespace
}  // namespace cv2
