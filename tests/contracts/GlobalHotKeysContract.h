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
    HotKeyStatus Register(WindowHandle w, int id, const HotKey& key) { return P().Register(w, id, key).status; }
    const HotKey kF21{0x84, kHotKeyCtrl | kHotKeyAlt | kHotKeyShift};
    const HotKey kF22{0x85, kHotKeyCtrl | kHotKeyAlt | kHotKeyShift};
};

TYPED_TEST_SUITE_P(GlobalHotKeysContract);

TYPED_TEST_P(GlobalHotKeysContract, AHeldKeyIsRefusedUntilGivenUpAndAnIdRegisteredAgainLetsGoOfItsOldKey) {
    WindowHandle one = this->h.MakeWindow();
    WindowHandle two = this->h.MakeWindow();
    ASSERT_EQ(this->Register(one, 1, this->kF21), HotKeyStatus::Ok);
    const HotKeyResult refused = this->P().Register(two, 1, this->kF21);
    EXPECT_EQ(refused.status, HotKeyStatus::HeldByAnother);
    EXPECT_EQ(refused.error, kErrorHotKeyHeld);
    EXPECT_EQ(this->Register(one, 2, this->kF21), HotKeyStatus::HeldByAnother) << "another id of ours";
    ASSERT_EQ(this->Register(one, 1, this->kF22), HotKeyStatus::Ok);
    EXPECT_EQ(this->Register(two, 1, this->kF21), HotKeyStatus::Ok) << "the old key is free";
    // A refusal leaves the id without a key.
    EXPECT_EQ(this->Register(one, 1, this->kF21), HotKeyStatus::HeldByAnother);
    EXPECT_EQ(this->Register(two, 2, this->kF22), HotKeyStatus::Ok);
    this->P().Unregister(two, 1);
    EXPECT_EQ(this->Register(one, 1, this->kF21), HotKeyStatus::Ok);
    for (int id : {1, 2, 7}) {
        this->P().Unregister(one, id);  // 2 and 7 hold nothing: harmless
        this->P().Unregister(two, id);
    }
}

TYPED_TEST_P(GlobalHotKeysContract, AWindowThatIsGoneGetsNoKey) {
    WindowHandle gone = this->h.MakeWindow();
    this->h.Destroy(gone);
    const HotKeyResult refused = this->P().Register(gone, 1, this->kF21);
    EXPECT_EQ(refused.status, HotKeyStatus::Failed);
    EXPECT_NE(refused.error, 0u);
    WindowHandle one = this->h.MakeWindow();
    EXPECT_EQ(this->Register(one, 1, this->kF21), HotKeyStatus::Ok) << "the refusal took no key";
    this->P().Unregister(one, 1);
}

REGISTER_TYPED_TEST_SUITE_P(GlobalHotKeysContract, AHeldKeyIsRefusedUntilGivenUpAndAnIdRegisteredAgainLetsGoOfItsOldKey,
                            AWindowThatIsGoneGetsNoKey);

}  // namespace cv2
