#pragma once
// What every KeyInput port does, written once and run against the fake natively and
// against the Win32 port under Wine (with a window of the test in front, so that the
// events have somewhere to go).
//
// A harness type H provides:
//   KeyInput& Port();
#include <gtest/gtest.h>

#include "platform/KeyInput.h"

namespace cv2 {

template <class H>
class KeyInputContract : public ::testing::Test {
protected:
    H h;
    KeyInput& Keys() { return h.Port(); }
};

TYPED_TEST_SUITE_P(KeyInputContract);

TYPED_TEST_P(KeyInputContract, ASidePressShowsInTheGenericKeyAndItsReleaseClearsBoth) {
    struct Case {
        std::uint16_t side, otherSide, generic;
    };
    for (Case c : {Case{kVkLShift, kVkRShift, kVkShift}, Case{kVkRControl, kVkLControl, kVkControl}}) {
        SCOPED_TRACE(c.side);
        ASSERT_EQ(this->Keys().SendKeys({{c.side, false}}), 1);
        EXPECT_TRUE(this->Keys().IsKeyDown(c.side));
        EXPECT_TRUE(this->Keys().IsKeyDown(c.generic));
        EXPECT_FALSE(this->Keys().IsKeyDown(c.otherSide));
        ASSERT_EQ(this->Keys().SendKeys({{c.side, true}}), 1);
        EXPECT_FALSE(this->Keys().IsKeyDown(c.side));
        EXPECT_FALSE(this->Keys().IsKeyDown(c.generic));
    }
}

TYPED_TEST_P(KeyInputContract, ABatchGoesOutWholeAndTellsHowMany) {
    EXPECT_EQ(this->Keys().SendKeys({}), 0);
    // An Alt press and release with an unassigned key between them, as the program lets go
    // of a held Alt.
    EXPECT_EQ(this->Keys().SendKeys({{kVkLMenu, false}, {kVkUnassigned, false}, {kVkUnassigned, true}}), 3);
    EXPECT_TRUE(this->Keys().IsKeyDown(kVkMenu));
    EXPECT_FALSE(this->Keys().IsKeyDown(kVkUnassigned));
    EXPECT_EQ(this->Keys().SendKeys({{kVkLMenu, true}}), 1);
    EXPECT_FALSE(this->Keys().IsKeyDown(kVkMenu));
}

TYPED_TEST_P(KeyInputContract, TypedUnitsPressNoVirtualKey) {
    // "V" as a UTF-16 unit is not the V key: Ctrl+typed "v" would be no paste.
    ASSERT_EQ(this->Keys().SendKeys({{u'V', false, true}}), 1);
    EXPECT_FALSE(this->Keys().IsKeyDown(kVkV));
    EXPECT_EQ(this->Keys().SendKeys({{u'V', true, true}, {0x3042, false, true}, {0x3042, true, true}}), 3);
    EXPECT_FALSE(this->Keys().IsKeyDown(kVkV));
}

REGISTER_TYPED_TEST_SUITE_P(KeyInputContract, ASidePressShowsInTheGenericKeyAndItsReleaseClearsBoth,
                            ABatchGoesOutWholeAndTellsHowMany, TypedUnitsPressNoVirtualKey);

}  // namespace cv2
