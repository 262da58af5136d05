// The fake hotkey table keeps the hotkey port's promises.
#include <gtest/gtest.h>

#include "platform/fakes/FakeGlobalHotKeys.h"
#include "tests/contracts/GlobalHotKeysContract.h"

namespace cv2 {
namespace {

struct FakeHotKeysHarness {
    fakes::FakeGlobalHotKeys port;
    WindowHandle next = 0x100;

    GlobalHotKeys& Port() { return port; }
    WindowHandle MakeWindow() { return next++; }
    void Destroy(WindowHandle w) { port.gone.insert(w); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, GlobalHotKeysContract, FakeHotKeysHarness);

}  // namespace
}  // namespace cv2
