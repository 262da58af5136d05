#pragma once
// A TCV2Frm wired to the fakes, with the fake view mirroring the tree. The state a test
// starts from is reached through the handlers, as the user would reach it.
//
// Usage:
//   class MyTest : public ::testing::Test, public testing::MainFrmFixture {};
//   TEST_F(MyTest, ...) { Build(tree(), "A|.B"); SetWaitTime(100); frm.SendText("x"); }
#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "base/Text.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TreeShape.h"

namespace cv2::testing {

struct MainFrmFixture : fakes::FakePlatform {
    fakes::FakeMainView view{log};
    TCV2Frm frm{view, platform};

    MainFrmFixture() { frm.SetTreeView(&view); }
    ~MainFrmFixture() { frm.SetTreeView(nullptr); }

    ItemTree& tree() { return frm.Tree(); }
    Item* At(int index) { return tree().ItemAt(index); }
    Item* Find(const std::string& text) { return testing::Find(tree(), text); }
    std::string Dump() { return testing::Dump(tree()); }
    // A(0) > a1(1) > x(2); A > a2(3) > y(4); B(5) > b1(6)
    void BuildSmallTree() { Build(tree(), "A|.a1|..x|.a2|..y|B|.b1"); }

    // Pre-order indices of the expanded items, as the settings file lists them: "0,3".
    std::string ExpandedIndices() {
        std::string s;
        int n = 0;
        for (const Item* i = tree().First(); i; i = i->Next(), ++n)
            if (i->Expanded()) s += (s.empty() ? "" : ",") + std::to_string(n);
        return s;
    }

    // The open file and whether it has unsaved changes, for tests that need a session
    // without going through the file dialogs and an edit.
    void SetFileName(const std::wstring& file) { frm.SetDocumentForTest(file, frm.Dirty()); }
    void MarkUnsaved() { frm.SetDocumentForTest(frm.FileName(), true); }
    void MarkSaved() { frm.SetDocumentForTest(frm.FileName(), false); }

    // The wait-time dialog, answered with `ms`.
    void SetWaitTime(int ms) {
        view.waitDialogAnswers.push_front({true, IntToStr(ms)});
        frm.Wait1Click();
        view.waitDialogShown.pop_back();
    }
    // The follow-up key's menu entry.
    void SetFollowUp(int index) { frm.NoTabEnterClick(index); }
    void SetClickMode(bool singleClick) {
        if (frm.ClickCheck() != singleClick) frm.ClickCheckClick();
    }
    // The entries of the conversion menu.
    void SetConversion(const SendConversion& c) {
        frm.ConvertModeClick(c.mode);
        if (frm.Conversion().noHyphen != c.noHyphen) frm.NoHyphenClick();
        if (frm.Conversion().typing != c.typing) frm.TypingClick();
    }
    // The pointer moves onto `item`, in the zones `hits` of its row.
    void PointAt(Item* item, unsigned hits) {
        view.hits[{-1, -1}] = HitTest{item, hits};
        frm.MainTreeMouseMove(-1, -1);
        view.hits.erase({-1, -1});
    }
    // The pointer moves onto an expand button (expansions allowed) or off the items (not).
    void AllowExpand(bool allow) { PointAt(allow ? tree().First() : nullptr, allow ? kHitOnItem | kHitOnButton : 0); }
    // The timer's look at the foreground window, which must have a title. As set-up it
    // leaves the desktop and the call log as they were.
    void TrackTarget(WindowHandle target) {
        const WindowHandle before = desktop.foreground;
        const std::size_t logged = log.calls.size();
        desktop.foreground = target;
        frm.Timer1Timer();
        desktop.foreground = before;
        log.calls.resize(logged);
    }
};

}  // namespace cv2::testing
