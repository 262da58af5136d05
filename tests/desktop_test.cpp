// The fake desktop keeps the desktop port's promises.
#include <gtest/gtest.h>

#include "platform/fakes/FakeDesktop.h"
#include "tests/contracts/DesktopContract.h"

namespace cv2 {
namespace {

struct FakeDesktopHarness {
    fakes::CallLog log;
    fakes::FakeDesktop desktop{log};
    WindowHandle next = 0x100;

    Desktop& Port() { return desktop; }
    WindowHandle Make(WindowHandle parent, const std::string& className, const std::string& title,
                      WindowHandle owner = 0) {
        fakes::FakeDesktop::Window w{parent, className, title, false, owner};
        w.process = fakes::FakeDesktop::kOurProcess;
        w.visible = parent != 0;
        desktop.windows[next] = w;
        return next++;
    }
    WindowHandle Foreign() {
        desktop.windows[next] = {0, "Cv2Foreign", "another program"};
        return next++;
    }
    void Show(WindowHandle w) { desktop.windows[w].visible = true; }
    void Destroy(WindowHandle w) { desktop.windows.erase(w); }
    void Minimise(WindowHandle w) { desktop.windows[w].iconic = true; }
    void Settle() {}
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, DesktopContract, FakeDesktopHarness);

}  // namespace
}  // namespace cv2
