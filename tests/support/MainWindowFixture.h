#pragma once
// A TCV2Frm wired to the fakes, with the fake view mirroring the tree, and helpers to build
// forests and read them back as one string.
#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "tests/support/FakePlatform.h"
#include "platform/fakes/CallLog.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeDialogs.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeDesktop.h"

namespace cv2::testing {

struct MainFrmFixture : fakes::FakePlatform {
    fakes::FakeMainView view{log};
    TCV2Frm frm{view, platform};

    MainFrmFixture() { frm.SetTreeView(&view); }
    ~MainFrmFixture() { frm.SetTreeView(nullptr); }

    ItemTree& tree() { return frm.Tree(); }
    Item* At(int index) { return tree().ItemAt(index); }
};

// The forest as "text[+|-]" per item in pre-order, children in parentheses; "+" marks an
// expanded item, images as ":n" when not 0.
inline std::string Dump(const Item* first) {
    std::string out;
    for (const Item* n = first; n; n = n->NextSibling()) {
        if (!out.empty()) out += ' ';
        out += n->Text();
        if (n->ImageIndex() != 0) out += ":" + std::to_string(n->ImageIndex());
        if (n->HasChildren()) {
            out += n->Expanded() ? "+(" : "(";
            out += Dump(n->FirstChild());
            out += ')';
        }
    }
    return out;
}

}  // namespace cv2::testing
