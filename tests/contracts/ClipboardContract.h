#pragma once
// What every Clipboard port does, written once and run against the fake natively and
// against the Win32 port under Wine.
//
// A harness type H provides:
//   Clipboard& Port();
//   WindowHandle Owner();                  a window of ours to write on behalf of
//   WindowHandle CurrentOwner();           who wrote the clipboard last
//   std::optional<std::vector<unsigned char>> Read(unsigned format);
//                                          a format's bytes (the system may round a block up)
//   unsigned Registered(const std::string& name);
//   void HoldFor(int ms);                  another program takes the clipboard for that long
//   void EndHold();                        waits until that program has let go
//   std::uint64_t Now();                   milliseconds, as the port's retries count them
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace cv2 {

template <class H>
class ClipboardContract : public ::testing::Test {
protected:
    H h;

    ClipboardResult Write(const std::string& text, const std::vector<ClipboardExtra>& extras = {}) {
        return h.Port().WriteText(h.Owner(), text, extras);
    }
    // The first `size` bytes of a format, or "<none>".
    std::string Bytes(unsigned format, std::size_t size) {
        std::optional<std::vector<unsigned char>> bytes = h.Read(format);
        if (!bytes) return "<none>";
        if (bytes->size() < size) return "<short>";
        return std::string(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(size));
    }
};

TYPED_TEST_SUITE_P(ClipboardContract);

TYPED_TEST_P(ClipboardContract, TextWithItsZeroAndEveryExtraGoOnForTheOwner) {
    const std::string text = "東京都 ｱｲｳ abc";
    const std::vector<unsigned char> locale = {0x11, 0x04, 0, 0};
    const std::vector<unsigned char> flag = {0, 0, 0, 0};
    const std::vector<unsigned char> unicode = {'a', 0, 0, 0};
    ClipboardResult r =
        this->Write(text, {{kCfLocale, {}, locale}, {kCfUnicodeText, {}, unicode}, {0, "Cv2ContractFlag", flag}});
    ASSERT_EQ(r.status, ClipboardStatus::Ok);
    EXPECT_EQ(this->Bytes(kCfText, text.size() + 1), text + '\0');
    EXPECT_EQ(this->Bytes(kCfLocale, 4), std::string("\x11\x04\0\0", 4));
    EXPECT_EQ(this->Bytes(kCfUnicodeText, 4), std::string("a\0\0\0", 4));
    const unsigned registered = this->h.Registered("Cv2ContractFlag");
    ASSERT_NE(registered, 0u);
    EXPECT_EQ(this->Bytes(registered, 4), std::string(4, '\0'));
    EXPECT_EQ(this->h.CurrentOwner(), this->h.Owner());
}

TYPED_TEST_P(ClipboardContract, EachWriteReplacesWhatWasThere) {
    // A registered format, as the system makes up none of those from the text.
    ASSERT_EQ(this->Write("first", {{0, "Cv2ContractFlag", {1, 0, 0, 0}}}).status, ClipboardStatus::Ok);
    ASSERT_EQ(this->Write("").status, ClipboardStatus::Ok);
    EXPECT_EQ(this->Bytes(kCfText, 1), std::string(1, '\0'));
    EXPECT_FALSE(this->h.Read(this->h.Registered("Cv2ContractFlag")).has_value()) << "the first write's extra stayed";
}

TYPED_TEST_P(ClipboardContract, AnExtraThatCannotBeRegisteredIsLeftOutAndTheWriteSucceeds) {
    // The system registers no format under an empty name.
    ClipboardResult r = this->Write("abc", {{0, "", {1, 2, 3, 4}}, {kCfLocale, {}, {0x11, 0x04, 0, 0}}});
    ASSERT_EQ(r.status, ClipboardStatus::Ok);
    EXPECT_EQ(this->Bytes(kCfText, 4), std::string("abc", 4));
    EXPECT_EQ(this->Bytes(kCfLocale, 2), "\x11\x04") << "the extras after it still go on";
}

TYPED_TEST_P(ClipboardContract, AHolderThatStaysIsBusyAfterTheRetriesAndChangesNothing) {
    ASSERT_EQ(this->Write("before").status, ClipboardStatus::Ok);
    this->h.HoldFor(600);
    const std::uint64_t start = this->h.Now();
    ClipboardResult r = this->Write("after");
    const std::uint64_t took = this->h.Now() - start;
    this->h.EndHold();
    EXPECT_EQ(r.status, ClipboardStatus::Busy);
    EXPECT_NE(r.error, 0u) << "the refusal's error code";
    EXPECT_GE(took, kClipboardRetryMs - 20);  // the system's tick may lag the pauses a little
    EXPECT_LT(took, kClipboardRetryMs + 200);
    EXPECT_EQ(this->Bytes(kCfText, 7), std::string("before", 7));
}

TYPED_TEST_P(ClipboardContract, AHolderThatLetsGoWithinTheRetriesIsWaitedOut) {
    this->h.HoldFor(60);
    ClipboardResult r = this->Write("held");
    this->h.EndHold();
    ASSERT_EQ(r.status, ClipboardStatus::Ok);
    EXPECT_EQ(this->Bytes(kCfText, 5), std::string("held", 5));
}

REGISTER_TYPED_TEST_SUITE_P(ClipboardContract, TextWithItsZeroAndEveryExtraGoOnForTheOwner,
                            EachWriteReplacesWhatWasThere, AnExtraThatCannotBeRegisteredIsLeftOutAndTheWriteSucceeds,
                            AHolderThatStaysIsBusyAfterTheRetriesAndChangesNothing,
                            AHolderThatLetsGoWithinTheRetriesIsWaitedOut);

}  // namespace cv2
