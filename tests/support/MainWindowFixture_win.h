#pragma once
// The Win32 main window on the fakes, created and left hidden (without a window manager,
// Wine waits two seconds to unmap a window). The executable's settings file is there and no
// user file: the window starts empty, without the wizard.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "CV2MainFrm/MainWindow_win.h"
#include "platform/Win32Ports.h"
#include "tests/support/FakePlatform.h"

namespace cv2::testing {

class MainWindowFixture : public ::testing::Test, protected fakes::FakePlatform {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        files.files[L"C:\\Apps\\Corvell2.ini"] = "";
        window.quitOnDestroy = false;
        ASSERT_TRUE(window.Create({}));
    }

    TCV2Frm& frm() { return window.Frm(); }

    std::unique_ptr<Ime> ime = MakeWin32Ime();
    MainWindow window{GetModuleHandleW(nullptr), platform, *ime};
};

}  // namespace cv2::testing
