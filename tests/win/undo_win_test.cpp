// Undo and redo in the real main window: the control shows what comes back exactly as the
// model holds it, and Ctrl+Z and Ctrl+Y reach the history from the tree.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "CV2MainFrm/MainWindow_win.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/MessageLoop_win.h"
#include "tests/support/TreeControlDump_win.h"

namespace cv2 {
namespace {

class UndoWindow : public testing::MainWindowFixture {
protected:
    std::string Control() { return testing::DumpControl(window.TreeControl()); }
    std::string Model() { return testing::Dump(frm().Tree()); }
    Item* Find(const char* text) { return testing::Find(frm().Tree(), text); }
    // Ctrl held in this thread's key state, as the keyboard leaves it, and a key to the tree.
    void CtrlKey(WPARAM key) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        SendMessageW(window.TreeControl(), WM_KEYDOWN, key, 0);
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    }
};

TEST_F(UndoWindow, WhatComesBackShowsInTheControlAsInTheModel) {
    testing::Build(frm().Tree(), "A+:5|.B|.C+:6|..D:7|E:9");
    frm().SetDocumentForTest(L"", false);
    const std::string start = Model();
    ASSERT_EQ(Control(), start);

    // An open group dropped onto another item arrives closed; Ctrl+Z opens it at its old place.
    window.Select(Find("C"));
    RECT label{};
    TreeView_GetItemRect(window.TreeControl(), window.TreeItemOf(Find("E")), &label, TRUE);
    frm().MainTreeDragDrop(label.left + 3, (label.top + label.bottom) / 2);
    ASSERT_EQ(Model(), "A+:5|.B|E:9|.C:6|..D:7");
    const std::string moved = Control();
    CtrlKey('Z');
    EXPECT_EQ(Model(), start);
    EXPECT_EQ(Control(), start);
    EXPECT_EQ(window.Selection(), Find("C"));
    EXPECT_FALSE(frm().Dirty());
    CtrlKey('Y');
    EXPECT_EQ(Control(), moved);

    // Delete all, answered Yes, and back: every item with its icon, open groups open.
    CtrlKey('Z');
    testing::ExpectFinished(testing::DriveModal([&] { window.Command(kCmdAllDelNodeMenu); },
                                                {[](HWND box) { PostMessageW(box, WM_COMMAND, IDYES, 0); }}));
    ASSERT_EQ(Control(), "");
    CtrlKey('Z');
    EXPECT_EQ(Model(), start);
    EXPECT_EQ(Control(), start);
    EXPECT_FALSE(frm().Dirty());
}

}  // namespace
}  // namespace cv2
