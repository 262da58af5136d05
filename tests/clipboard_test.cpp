// The fake clipboard keeps the clipboard port's promises.
#include <gtest/gtest.h>

#include "platform/fakes/FakeClipboard.h"
#include "tests/contracts/ClipboardContract.h"

namespace cv2 {
namespace {

struct FakeClipboardHarness {
    fakes::CallLog log;
    fakes::FakeClock clock;
    fakes::FakeClipboard clipboard{log, &clock};

    Clipboard& Port() { return clipboard; }
    WindowHandle Owner() { return 0x40; }
    WindowHandle CurrentOwner() { return clipboard.owner; }
    std::optional<std::vector<unsigned char>> Read(unsigned format) {
        auto it = clipboard.data.find(format);
        if (it == clipboard.data.end()) return std::nullopt;
        return it->second;
    }
    unsigned Registered(const std::string& name) {
        auto it = clipboard.registered.find(name);
        return it == clipboard.registered.end() ? 0 : it->second;
    }
    void HoldFor(int ms) { clipboard.heldUntil = clock.now + static_cast<std::uint64_t>(ms); }
    void EndHold() { clipboard.heldUntil = 0; }
    std::uint64_t Now() { return clock.now; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ClipboardContract, FakeClipboardHarness);

}  // namespace
}  // namespace cv2
