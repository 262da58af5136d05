// TreeControl on a real tree view in a window of the test's own, which hands the control's
// notifications to it as the main window does; the owner's side records what it hears.
#include "wingui/TreeControl_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace cv2 {
namespace {

class Recorder : public TreeControlEvents {
public:
    std::vector<std::string> heard;
    bool allowExpanding = true;
    bool throwOnKey = false;
    std::wstring editedText;

    static std::string Name(TreeKey key) { return key ? *static_cast<std::string*>(key) : std::string("(none)"); }

    void Hear(const char* what, TreeKey key) { heard.push_back(std::string(what) + Name(key)); }

    void TreeClick() override { heard.push_back("click"); }
    bool TreeDoubleClick() override {
        heard.push_back("double click");
        return true;
    }
    bool TreeExpanding(TreeKey key, bool expanding) override {
        Hear(expanding ? "expanding " : "collapsing ", key);
        return allowExpanding;
    }
    void TreeExpanded(TreeKey key, bool expanded) override { Hear(expanded ? "expanded " : "collapsed ", key); }
    void TreeBeginDrag(TreeKey key, POINT) override { Hear("drag ", key); }
    bool TreeBeginLabelEdit(TreeKey key, bool requested) override {
        Hear(requested ? "edit requested " : "edit by itself ", key);
        return true;
    }
    void TreeEndLabelEdit(TreeKey key, const std::wstring& text) override {
        Hear("edited ", key);
        editedText = text;
    }
    bool TreeMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (msg != WM_KEYDOWN) return false;
        if (throwOnKey) throw std::runtime_error("key failed");
        heard.push_back("key " + std::to_string(wParam));
        result = 0;
        return false;
    }
    void TreeFailed(const std::string& sjisMessage) override { heard.push_back("failed: " + sjisMessage); }
};

LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* tree = reinterpret_cast<TreeControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (tree && header->hwndFrom == tree->Hwnd()) return tree->Notify(header);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class TreeControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TreeControlTestParent";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_TRUE(parent);
        SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tree));
        tree.Attach(CreateWindowExW(0, WC_TREEVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS, 0, 0,
                                    280, 260, parent, nullptr, wc.hInstance, nullptr));
        ASSERT_TRUE(tree.Hwnd());
    }
    void TearDown() override {
        if (parent) DestroyWindow(parent);
    }

    TreeKey Key(const char* name) {
        for (std::string& n : names)
            if (n == name) return &n;
        return nullptr;
    }
    bool Insert(const char* name, const char* under, TreeSpot spot = TreeSpot::Last, const char* after = nullptr) {
        std::wstring text(name, name + std::char_traits<char>::length(name));
        return tree.Insert(Key(name), under ? Key(under) : nullptr, spot, after ? Key(after) : nullptr, text, 1, 13);
    }
    // The control's rows as "key(children)": their order from the control, each named by
    // the key it hands back.
    std::string Rows(HTREEITEM first) {
        std::string out;
        for (HTREEITEM n = first; n; n = TreeView_GetNextSibling(tree.Hwnd(), n)) {
            if (!out.empty()) out += ' ';
            out += Recorder::Name(tree.KeyOf(n));
            if (HTREEITEM child = TreeView_GetChild(tree.Hwnd(), n)) {
                out += '(';
                out += Rows(child);
                out += ')';
            }
        }
        return out;
    }
    std::wstring Text(const char* name) {
        wchar_t buffer[64] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = tree.HandleOf(Key(name));
        tv.pszText = buffer;
        tv.cchTextMax = 64;
        SendMessageW(tree.Hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        return buffer;
    }
    std::string Rows() { return Rows(TreeView_GetRoot(tree.Hwnd())); }
    bool Open(const char* name) {
        return TreeView_GetItemState(tree.Hwnd(), tree.HandleOf(Key(name)), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    void Press(WPARAM key) { SendMessageW(tree.Hwnd(), WM_KEYDOWN, key, 0); }

    std::vector<std::string> names{"A", "B", "C", "D", "E", "F"};
    Recorder events;
    TreeControl tree{events};
    HWND parent = nullptr;
};

TEST_F(TreeControlTest, InsertsAtEachSpotAndRefusesRowsWithoutAPlace) {
    ASSERT_TRUE(Insert("A", nullptr));
    ASSERT_TRUE(Insert("B", "A"));
    ASSERT_TRUE(Insert("C", "A", TreeSpot::First));
    ASSERT_TRUE(Insert("D", "A", TreeSpot::After, "C"));
    ASSERT_TRUE(Insert("E", nullptr, TreeSpot::First));
    EXPECT_EQ(Rows(), "E A(C D B)");
    EXPECT_EQ(Text("D"), L"D");

    // A parent or a sibling without a row: nothing goes in, rather than a row at the top.
    EXPECT_FALSE(Insert("F", "F"));
    EXPECT_FALSE(Insert("F", nullptr, TreeSpot::After, "F"));
    EXPECT_EQ(Rows(), "E A(C D B)");
}

TEST_F(TreeControlTest, DeletedRowsLeaveTheMapWithTheirSubtree) {
    Insert("A", nullptr);
    Insert("B", "A");
    Insert("C", "B");
    Insert("D", nullptr);
    tree.Delete(Key("A"));
    EXPECT_EQ(Rows(), "D");
    for (const char* gone : {"A", "B", "C"}) EXPECT_EQ(tree.HandleOf(Key(gone)), nullptr) << gone;
    // A key can come back with a row of its own.
    ASSERT_TRUE(Insert("B", "D"));
    EXPECT_EQ(Rows(), "D(B)");

    tree.Clear();
    EXPECT_EQ(Rows(), "");
    EXPECT_EQ(tree.HandleOf(Key("D")), nullptr);
    EXPECT_EQ(tree.HandleOf(Key("B")), nullptr);
}

TEST_F(TreeControlTest, TheOwnersExpansionsAskNothingAndTheControlsOwnAskFirst) {
    Insert("A", nullptr);
    Insert("B", "A");
    tree.SetExpanded(Key("A"), true);
    EXPECT_TRUE(Open("A"));
    tree.SetExpanded(Key("A"), false);
    EXPECT_FALSE(Open("A"));
    EXPECT_TRUE(events.heard.empty());

    // The control opens and closes the selected row by itself on + and -.
    tree.Select(Key("A"));
    EXPECT_EQ(tree.Selection(), Key("A"));
    events.allowExpanding = false;
    Press(VK_ADD);
    EXPECT_FALSE(Open("A"));
    events.allowExpanding = true;
    Press(VK_ADD);
    EXPECT_TRUE(Open("A"));
    Press(VK_SUBTRACT);
    EXPECT_FALSE(Open("A"));
    EXPECT_EQ(events.heard, (std::vector<std::string>{"key 107", "expanding A", "key 107", "expanding A", "expanded A",
                                                      "key 109", "collapsing A", "collapsed A"}));
}

TEST_F(TreeControlTest, ARowThatLostItsChildrenIsFoundClosed) {
    Insert("A", nullptr);
    Insert("B", "A");
    tree.SetExpanded(Key("A"), true);
    tree.Delete(Key("B"));
    tree.ClearExpandedState(Key("A"));
    Insert("C", "A");
    EXPECT_FALSE(Open("A"));
}

TEST_F(TreeControlTest, LabelEditsSayWhoStartedThemAndGiveTheTextUnlessCancelled) {
    Insert("A", nullptr);
    // The keys go to the editor as the user's would: Enter takes the text, Escape cancels.
    auto edit = [&](bool requested, const wchar_t* text, WPARAM key) {
        if (requested)
            tree.EditLabel(Key("A"));
        else
            SendMessageW(tree.Hwnd(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(tree.HandleOf(Key("A"))));
        HWND editor = TreeView_GetEditControl(tree.Hwnd());
        ASSERT_TRUE(editor);
        SendMessageW(editor, WM_CHAR, L'x', 0);
        SetWindowTextW(editor, text);
        SendMessageW(editor, WM_KEYDOWN, key, 0);
    };
    edit(true, L"new", VK_RETURN);
    EXPECT_EQ(events.editedText, L"new");
    EXPECT_EQ(Text("A"), L"A") << "the owner sets the text it takes";
    edit(false, L"other", VK_ESCAPE);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"edit requested A", "edited A", "edit by itself A"}));
}

TEST_F(TreeControlTest, ErrorsOfTheOwnerStayInsideTheWindowProcedure) {
    Insert("A", nullptr);
    events.throwOnKey = true;
    EXPECT_EQ(SendMessageW(tree.Hwnd(), WM_KEYDOWN, VK_DOWN, 0), 0);
    EXPECT_EQ(events.heard, std::vector<std::string>{"failed: key failed"});
}

TEST_F(TreeControlTest, LetsGoOfTheControlWhenItIsDestroyed) {
    Insert("A", nullptr);
    HWND control = tree.Hwnd();
    DestroyWindow(control);
    EXPECT_EQ(tree.Hwnd(), nullptr);
    EXPECT_EQ(tree.HandleOf(Key("A")), nullptr);
    // Attached again to a new control, it starts empty.
    tree.Attach(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr));
    ASSERT_TRUE(Insert("A", nullptr));
    EXPECT_EQ(Rows(), "A");
}

}  // namespace
}  // namespace cv2
