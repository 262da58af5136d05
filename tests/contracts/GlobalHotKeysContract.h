#pragma once
// What every GlobalHotKeys port does, run against the fake natively and against
// RegisterHotKey under Wine, with windows of the test's own and keys nobody else uses.
//
// A harness type H provides:
//   GlobalHotKeys& Port();
//   WindowHandle MakeWindow();   a window of the test's thread
//   void Destroy(WindowHandle);
#include <gtest/gtest.h>

#include "platform/GlobalHotKeys.h"

namespace cv2 {

template <class H>
class GlobalHotKeysContract : public ::testing::Test {
protected:
    H h;
    GlobalHotKeys& P() { return h.Port(); }
    const HotKey kFirst{0x84, kHotKeyCtrl | kHotKeyAlt | kHotKeyShift};   // Ctrl+Alt+Shift+F21
    const HotKey kSecond{0x85, kHotKeyCtrl | kHotKeyAlt | kHotKeyShift};  // ...+F22
};

TYPED_TEST_SUITE_P(GlobalHotKeysContract);

TYPED_TEST_P(GlobalHotKeysContract, AKeyThatIsHeldIsRefusedUntilItIsGivenUp) {
    WindowHandle one = this->h.MakeWindow();
    WindowHandle two = this->h.MakeWindow();
    ASSERT_EQ(this->P().Register(one, 1, this->kFirst).status, HotKeyStatus::Ok);
    const HotKeyResult refused = this->P().Register(two, 1, this->kFirst);
    EXPECT_EQ(refused.status, HotKeyStatus::HeldByAnother);
    EXPECT_EQ(refused.error, kErrorHotKeyHeld);
    EXPECT_EQ(this->P().Register(one, 2, this->kFirst).status, HotKeyStatus::HeldByAnother) << "another id of ours";
    this->P().Unregister(one, 1);
    EXPECT_EQ(this->P().Register(two, 1, this->kFirst).status, HotKeyStatus::Ok);
    this->P().Unregister(two, 1);
}

TYPED_TEST_P(GlobalHotKeysContract, RegisteringAnIdAgainReplacesItsKey) {
    WindowHandle one = this->h.MakeWindow();
    WindowHandle two = this->h.MakeWindow();
    ASSERT_EQ(this->P().Register(one, 1, this->kFirst).status, HotKeyStatus::Ok);
    ASSERT_EQ(this->P().Register(one, 1, this->kSecond).status, HotKeyStatus::Ok);
    EXPECT_EQ(this->P().Register(two, 1, this->kFirst).status, HotKeyStatus::Ok) << "the old key is free";
    EXPECT_EQ(this->P().Register(two, 2, this->kSecond).status, HotKeyStatus::HeldByAnother);
    // A refusal leaves the id without a key: its old one is free too.
    EXPECT_EQ(this->P().Register(one, 1, this->kFirst).status, HotKeyStatus::HeldByAnother);
    EXPECT_EQ(this->P().Register(two, 2, this->kSecond).status, HotKeyStatus::Ok);
    this->P().Unregister(two, 1);
    this->P().Unregister(two, 2);
}

TYPED_TEST_P(GlobalHotKeysContract, GivingUpWhatIsNotThereIsHarmlessAndAGoneWindowGetsNothing) {
    WindowHandle one = this->h.MakeWindow();
    this->P().Unregister(one, 7);
    this->P().Unregister(0, 7);
    WindowHandle gone = this->h.MakeWindow();
    this->h.Destroy(gone);
    const HotKeyResult refused = this->P().Register(gone, 1, this->kFirst);
    EXPECT_EQ(refused.status, HotKeyStatus::Failed);
    EXPECT_NE(refused.error, 0u);
    EXPECT_EQ(this->P().Register(one, 1, this->kFirst).status, HotKeyStatus::Ok) << "the refusal took no key";
    this->P().Unregister(one, 1);
}

REGISTER_TYPED_TEST_SUITE_P(GlobalHotKeysContract, AKeyThatIsHeldIsRefusedUntilItIsGivenUp,
                            RegisteringAnIdAgainReplacesItsKey,
                            GivingUpWhatIsNotThereIsHarmlessAndAGoneWindowGetsNothing);

}  // namespace cv2
