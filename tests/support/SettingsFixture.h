#pragma once
// A main window wired to fakes, for the tests of the settings files, the start-up choice
// and the file commands.
#include <gtest/gtest.h>

#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "tests/support/FakePlatform.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeDialogs.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeDesktop.h"

namespace cv2::testing {

class MainFrmTest : public ::testing::Test, protected fakes::FakePlatform {
protected:
    MainFrmTest() { frm.SetTreeView(&view); }

    // A(0) > a1(1) > x(2); A > a2(3) > y(4); B(5) > b1(6)
    void BuildSmallTree() {
        ItemTree& t = frm.Tree();
        Item* a = t.AppendChild(nullptr, "A");
        Item* a1 = t.AppendChild(a, "a1");
        t.AppendChild(a1, "x");
        Item* a2 = t.AppendChild(a, "a2");
        t.AppendChild(a2, "y");
        Item* b = t.AppendChild(nullptr, "B");
        t.AppendChild(b, "b1");
    }

    Item* At(int index) { return frm.Tree().ItemAt(index); }

    // Texts of the tree in pre-order, one level mark per depth: "A,.a1,..x".
    std::string Shape() {
        std::string s;
        for (const Item* i = frm.Tree().First(); i; i = i->Next()) {
            if (!s.empty()) s += ',';
            s += std::string(static_cast<std::size_t>(i->Level()), '.') + i->Text();
        }
        return s;
    }

    std::string Expanded() {
        std::string s;
        int n = 0;
        for (const Item* i = frm.Tree().First(); i; i = i->Next(), ++n)
            if (i->Expanded()) s += (s.empty() ? "" : ",") + std::to_string(n);
        return s;
    }

    fakes::FakeMainView view{log};
    TCV2Frm frm{view, platform};
};

}  // namespace cv2::testing
