// The real main window with its real controls, driven by the controls' own messages and
// read back through them; the ports are the fakes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CV2MainFrm/MainWindow_win.h"
#include "base/Cp932.h"
#include "platform/Handle_win.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/TreeControlDump_win.h"
#include "tests/support/TreeShape.h"
#include "wingui/Images.h"
#include "base/Error.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

using testing::Pump;

class MainWindowTest : public testing::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        if (HasFatalFailure()) return;
        Pump();
        tree = window.TreeControl();
    }

    std::string Control() { return testing::DumpControl(tree); }
    std::string Model() { return testing::Dump(model()); }
    ItemTree& model() { return frm().Tree(); }
    Item* Find(const std::string& text) { return testing::Find(model(), text); }
    // A (B, C (D)), E, with image 0 and selected image 12 as the commands make them
    void BuildSample() {
        Item* a = model().AppendChild(nullptr, "A");
        model().AppendChild(a, "B");
        Item* c = model().AppendChild(a, "C");
        model().AppendChild(c, "D");
        model().AppendChild(nullptr, "E");
        for (Item* n = model().First(); n; n = n->Next()) model().SetImageIndex(n, 0);
    }
    RECT RowRect(Item* item, bool textOnly) {
        RECT r{};
        TreeView_GetItemRect(tree, window.TreeItemOf(item), &r, textOnly);
        return r;
    }
    // Moves the pointer over the control as the user would, then presses.
    void MouseTo(POINT p) { SendMessageW(tree, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

    // Points of an item's row: the middle of its label, and its +/- button, which lies
    // left of the icon, one indent step from the row's left edge.
    POINT LabelPoint(Item* item) {
        RECT label = RowRect(item, true);
        return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    }
    POINT ButtonPoint(Item* item) {
        RECT row = RowRect(item, false);
        RECT text = RowRect(item, true);
        int indent = static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0));
        return {text.left - 18 - indent / 2 - 3, (row.top + row.bottom) / 2};
    }

    HWND tree = nullptr;
};

TEST_F(MainWindowTest, FrameAsDesigned) {
    HWND hwnd = window.Hwnd();
    wchar_t cls[32] = {}, title[32] = {};
    GetClassNameW(hwnd, cls, 32);
    GetWindowTextW(hwnd, title, 32);
    EXPECT_STREQ(cls, L"TCV2Frm");
    EXPECT_STREQ(title, L"Corvell2！");
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(SendMessageW(tree, TVM_GETINDENT, 0, 0), 21);
    LONG_PTR treeStyle = GetWindowLongPtrW(tree, GWL_STYLE);
    EXPECT_EQ(treeStyle & (TVS_EDITLABELS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT),
              TVS_EDITLABELS | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    EXPECT_EQ(SendMessageW(window.CoolBar(), RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(window.ToolBar1(), TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(window.ToolBar2(), TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(window.StatusBar(), SB_GETPARTS, 0, 0), 1);

    // The tree fills what the bars leave.
    RECT client, treeRect;
    GetClientRect(hwnd, &client);
    GetWindowRect(tree, &treeRect);
    EXPECT_EQ(treeRect.bottom - treeRect.top, client.bottom - window.CoolBarHeight() - window.StatusBarHeight());
    EXPECT_GT(window.DropDownWidth(), window.ButtonWidth());
}

TEST_F(MainWindowTest, ControlMirrorsEveryChangeOfTheModel) {
    BuildSample();
    EXPECT_EQ(Control(), "A|.B|.C|..D|E");
    model().SetImageIndex(Find("D"), 7);
    model().SetText(Find("B"), "郵便番号");
    frm().FullExpandMenuClick();
    EXPECT_EQ(Control(), "A+|.郵便番号|.C+|..D:7|E");
    EXPECT_EQ(Control(), Model());

    // A move rebuilds the subtree collapsed at its new place.
    model().Move(Find("C"), Find("E"), AttachMode::AddChild, frm().Gate());
    EXPECT_EQ(Control(), "A+|.郵便番号|E+|.C|..D:7");
    EXPECT_EQ(Control(), Model());
    model().Move(Find("郵便番号"), Find("C"), AttachMode::Insert, frm().Gate());
    EXPECT_EQ(Control(), "A|E+|.郵便番号|.C|..D:7");
    EXPECT_EQ(Control(), Model());

    model().Delete(Find("C"));
    EXPECT_EQ(Control(), "A|E+|.郵便番号");

    ItemTree loaded;
    Item* x = loaded.AppendChild(nullptr, "X");
    loaded.AppendChild(x, "Y");
    loaded.SetExpanded(x, true);
    model().ReplaceWith(loaded);
    EXPECT_EQ(Control(), "X+|.Y");
    EXPECT_EQ(Control(), Model());

    model().Clear();
    EXPECT_EQ(Control(), "");
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
}

TEST_F(MainWindowTest, AddCommandsSelectAndEditTheNewItem) {
    BuildSample();
    window.Select(Find("A"));
    EXPECT_EQ(window.Selection(), Find("A"));
    window.Command(kCmdAddChildMenu);
    EXPECT_EQ(Control(), "A+|.B|.C+|..D|.新規項目|E");
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    // Leading blanks go; the rest is stored as typed.
    // Ended by the keys, as the user does: Wine's TVM_ENDEDITLABELNOW with "cancel" still
    // commits, since hiding the edit reports a focus loss that ends the edit once more.
    SetWindowTextW(edit, L"  郵便 番号");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(Control(), "A+|.B|.C+|..D|.郵便 番号|E");
    EXPECT_EQ(Control(), Model());
    EXPECT_TRUE(frm().Dirty());

    frm().SetDocumentForTest(frm().FileName(), false);
    window.Select(Find("E"));
    window.Command(kCmdEditTextMenu);
    edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"changed");
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(Model(), "A+|.B|.C+|..D|.郵便 番号|E");
    EXPECT_FALSE(frm().Dirty());
}

TEST_F(MainWindowTest, ControlStartsNoEditWhileAnotherWindowIsInFront) {
    // The window under test is hidden, so another window is in the foreground, as after a
    // click has sent an item into the target: the control's own slow-click edit must not
    // open, while the commands still edit.
    BuildSample();
    window.Select(Find("E"));
    ASSERT_NE(GetForegroundWindow(), window.Hwnd());
    EXPECT_EQ(SendMessageW(tree, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(window.TreeItemOf(Find("E")))), 0);
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
    window.Command(kCmdEditTextMenu);
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(frm().Dirty());
}

// The message boxes open on this thread.
std::vector<HWND> OpenBoxes() {
    std::vector<HWND> boxes;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (std::wstring(cls) == L"#32770") reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

// Runs inside the modal loop of the next box: a thread timer's message reaches it there.
std::function<void(HWND)> insideBox;
void CALLBACK InsideBoxTick(HWND, UINT, UINT_PTR id, DWORD) {
    std::vector<HWND> boxes = OpenBoxes();
    if (boxes.empty()) return;
    KillTimer(nullptr, id);
    if (insideBox) insideBox(boxes.front());
    PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowTest, AFailureOnEveryTickShowsOneErrorBoxAtATime) {
    // The error box's message loop keeps the 500 ms timer (id 1) ticking; a failure that
    // repeats on every tick must not stack box on box.
    constexpr WPARAM kTimer1 = 1;
    desktop.failForeground = true;
    int boxesShown = 0;
    std::size_t boxesOpenAfterATick = 0;
    std::wstring caption;
    insideBox = [&](HWND box) {
        ++boxesShown;
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        caption = text;
        SendMessageW(window.Hwnd(), WM_TIMER, kTimer1, 0);
        boxesOpenAfterATick = OpenBoxes().size();
    };
    SetTimer(nullptr, 0, 20, InsideBoxTick);
    SendMessageW(window.Hwnd(), WM_TIMER, kTimer1, 0);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(boxesOpenAfterATick, 1u);
    EXPECT_EQ(caption, L"Corvell2！");
    // Once the box is closed, the next failure is reported again.
    SetTimer(nullptr, 0, 20, InsideBoxTick);
    SendMessageW(window.Hwnd(), WM_TIMER, kTimer1, 0);
    EXPECT_EQ(boxesShown, 2);
    insideBox = nullptr;
}

TEST_F(MainWindowTest, UserExpansionPassesTheGateAndTheModelFollows) {
    BuildSample();
    Item* a = Find("A");
    window.Select(a);
    SetFocus(tree);

    MouseTo(LabelPoint(a));
    SendMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    EXPECT_EQ(Control(), "A|.B|.C|..D|E");

    MouseTo(ButtonPoint(a));
    SendMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
    Pump();
    EXPECT_EQ(Control(), "A+|.B|.C|..D|E");
    EXPECT_EQ(Control(), Model());
}

TEST_F(MainWindowTest, DoubleClickOnALabelNeverTogglesButTheButtonDoes) {
    BuildSample();
    Item* a = Find("A");
    POINT onLabel = LabelPoint(a);
    MouseTo(onLabel);
    EXPECT_EQ(frm().PointerItem(), a);
    EXPECT_TRUE(frm().PointerHits() & kHitOnItem);
    EXPECT_FALSE(frm().ExpandAllowed());
    // Even with the gate open, the control must not toggle on a double-click.
    POINT onButton = ButtonPoint(a);
    MouseTo(onButton);
    SendMessageW(tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(onLabel.x, onLabel.y));
    Pump();
    EXPECT_EQ(Control(), "A|.B|.C|..D|E");

    MouseTo(onButton);
    ASSERT_TRUE(frm().PointerHits() & kHitOnButton) << "button at x " << onButton.x;
    EXPECT_TRUE(frm().ExpandAllowed());
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onButton.x, onButton.y));
    SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(onButton.x, onButton.y));
    Pump();
    EXPECT_EQ(Control(), "A+|.B|.C|..D|E");
    EXPECT_EQ(Control(), Model());
}

TEST_F(MainWindowTest, HitTestsOfTheRealControl) {
    BuildSample();
    Item* e = Find("E");
    RECT label = RowRect(e, true);
    HitTest onLabel = window.TreeHitTest(label.left + 2, (label.top + label.bottom) / 2);
    EXPECT_EQ(onLabel.item, e);
    EXPECT_EQ(onLabel.zones, unsigned{kHitOnItem | kHitOnLabel});
    HitTest right = window.TreeHitTest(label.right + 5, (label.top + label.bottom) / 2);
    EXPECT_EQ(right.item, e);
    EXPECT_EQ(right.zones, unsigned{kHitOnRight});
    HitTest below = window.TreeHitTest(label.left, label.bottom + 40);
    EXPECT_EQ(below.item, nullptr);
    EXPECT_EQ(below.zones, unsigned{kHitNowhere});

    // A right press selects the row's item; below the last row it leaves the selection.
    window.Select(Find("B"));
    frm().MainTreeMouseDown(MouseButton::Right, false, label.left - 30, (label.top + label.bottom) / 2);
    EXPECT_EQ(window.Selection(), e);
    frm().MainTreeMouseDown(MouseButton::Right, false, label.left, label.bottom + 40);
    EXPECT_EQ(window.Selection(), e);
}

// What the plain control does with a parent whose last child is deleted.
TEST(TreeControl, AParentThatLosesItsLastChildKeepsItsExpandedState) {
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASBUTTONS, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(tree, nullptr);
    TVINSERTSTRUCTW ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<wchar_t*>(L"P");
    auto parent = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    ins.hParent = parent;
    ins.item.pszText = const_cast<wchar_t*>(L"Q");
    auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
    const bool keptOpen =
        (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(parent), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    // The control does not close it: a child inserted later shows at once. The main window
    // therefore closes such a parent itself.
    EXPECT_TRUE(keptOpen);
    ins.item.pszText = const_cast<wchar_t*>(L"R");
    SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins));
    EXPECT_EQ(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(parent), TVIS_EXPANDED) & TVIS_EXPANDED,
              keptOpen ? static_cast<LRESULT>(TVIS_EXPANDED) : 0);
    DestroyWindow(tree);
}

TEST_F(MainWindowTest, AParentLeftWithoutChildrenIsClosedInModelAndControlAlike) {
    BuildSample();
    frm().FullExpandMenuClick();
    model().Delete(Find("D"));
    EXPECT_EQ(
        SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(window.TreeItemOf(Find("C"))), TVIS_EXPANDED) &
            TVIS_EXPANDED,
        0);
    // A later drop onto it on its label (the gate shut): closed in both, and saved closed.
    window.Select(Find("E"));
    RECT label = RowRect(Find("C"), true);
    MouseTo({label.left + 3, (label.top + label.bottom) / 2});
    frm().MainTreeDragDrop(label.left + 3, (label.top + label.bottom) / 2);
    EXPECT_EQ(Model(), "A+|.B|.C|..E");
    EXPECT_EQ(Control(), Model());
    EXPECT_EQ(frm().BuildExpandList(), "0");
}

TEST_F(MainWindowTest, DropOnALabelMovesTheSelectionUnderThatItem) {
    BuildSample();
    window.Select(Find("E"));
    RECT label = RowRect(Find("A"), true);
    frm().MainTreeDragDrop(label.left + 3, (label.top + label.bottom) / 2);
    EXPECT_EQ(Model(), "A|.B|.C|..D|.E");
    EXPECT_EQ(Control(), Model());
    EXPECT_EQ(window.Selection(), Find("E"));
    EXPECT_TRUE(frm().Dirty());
}

TEST_F(MainWindowTest, CompactModeLeavesToolbarOneAndTheStatusBar) {
    HWND hwnd = window.Hwnd();
    window.SetBounds(Bounds{50, 60, 200, 400});
    window.SetDown(ToolButton::ShowToolBar2, true);
    window.Command(kCmdShowToolBar2Btn);
    int fullBar = window.CoolBarHeight();

    window.SetDown(ToolButton::Resize, true);
    window.Command(kCmdResizeBtn);
    Pump();
    EXPECT_FALSE(window.IsDown(ToolButton::ShowToolBar2));
    EXPECT_LT(window.CoolBarHeight(), fullBar);
    EXPECT_EQ(window.ClientHeight(), window.CoolBarHeight() + window.StatusBarHeight());
    EXPECT_EQ(window.GetBounds().width, 4 * window.ButtonWidth() + window.DropDownWidth());
    RECT treeRect;
    GetWindowRect(tree, &treeRect);
    EXPECT_EQ(treeRect.bottom - treeRect.top, 0);

    // Shrinking by hand below the minimums snaps back.
    SetWindowPos(hwnd, nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(window.GetBounds().width, 4 * window.ButtonWidth() + window.DropDownWidth());
    EXPECT_EQ(window.ClientHeight(), window.CoolBarHeight() + window.StatusBarHeight());

    window.SetDown(ToolButton::Resize, false);
    window.Command(kCmdResizeBtn);
    Pump();
    EXPECT_EQ(window.GetBounds(), (Bounds{50, 60, 200, 400}));
    EXPECT_TRUE(window.IsDown(ToolButton::ShowToolBar2));
    EXPECT_EQ(window.CoolBarHeight(), fullBar);
}

// A big user file is shown at once (redraw held), and every item gets its own row.
// Items reach the control at the end of their level or in front of a sibling it already
// shows; a subtree moved between siblings must keep its own children in order too.
TEST_F(MainWindowTest, SubtreesMovedBetweenSiblingsKeepTheirPlaceAndOrder) {
    Item* p = model().AppendChild(nullptr, "P");
    for (const char* t : {"1", "2", "3"}) model().AppendChild(p, t);
    Item* s = model().AppendChild(nullptr, "S");
    for (const char* t : {"x", "y", "z"}) model().AppendChild(s, t);
    model().AppendChild(nullptr, "T");
    for (Item* n = model().First(); n; n = n->Next()) model().SetImageIndex(n, 0);
    EXPECT_EQ(Control(), "P|.1|.2|.3|S|.x|.y|.z|T");

    model().Move(Find("S"), Find("2"), AttachMode::Insert, frm().Gate());
    EXPECT_EQ(Control(), Model());
    model().Move(Find("T"), Find("1"), AttachMode::Insert, frm().Gate());
    EXPECT_EQ(Control(), Model());
    model().Move(Find("y"), Find("x"), AttachMode::Insert, frm().Gate());
    EXPECT_EQ(Control(), Model());
    model().Move(Find("P"), nullptr, AttachMode::Add, frm().Gate());
    EXPECT_EQ(Control(), Model());
    // Appended after the moves: the end of its level, whatever came before.
    model().AppendChild(Find("S"), "w");
    EXPECT_EQ(Control(), Model());
    EXPECT_EQ(TreeView_GetCount(tree), 10u);
}

TEST_F(MainWindowTest, LargeLoadIsMirroredWhole) {
    ItemTree loaded;
    constexpr int kGroups = 500;
    for (int g = 0; g < kGroups; ++g) {
        Item* group = loaded.AppendChild(nullptr, "group" + std::to_string(g));
        for (int c = 0; c < 5; ++c) loaded.AppendChild(group, "item" + std::to_string(c));
    }
    ULONGLONG start = GetTickCount64();
    model().ReplaceWith(loaded);
    Pump(0);
    ULONGLONG load = GetTickCount64() - start;
    start = GetTickCount64();
    frm().FullExpandMenuClick();
    ULONGLONG expand = GetTickCount64() - start;
    start = GetTickCount64();
    model().Clear();
    ULONGLONG clear = GetTickCount64() - start;
    RecordProperty("load_ms", static_cast<int>(load));
    RecordProperty("expand_ms", static_cast<int>(expand));
    RecordProperty("clear_ms", static_cast<int>(clear));
    printf("3000 items: load %llu ms, expand all %llu ms, clear %llu ms\n", load, expand, clear);
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    // Generous: a walk that went quadratic would take minutes here.
    EXPECT_LT(load + expand + clear, 20000u);
}

// The menu as built for the current state, one caption per entry, "-" for a separator,
// the submenu's entries in brackets.
std::string MenuText(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (!out.empty()) out += ' ';
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        wchar_t buffer[64] = {};
        mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        mi.dwTypeData = buffer;
        mi.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
        if (mi.fType & MFT_SEPARATOR) {
            out += '-';
            continue;
        }
        out += ToCp932(buffer);
        if (mi.fState & MFS_CHECKED) out += '*';
        if (mi.hSubMenu) out += "[" + std::to_string(GetMenuItemCount(mi.hSubMenu)) + "]";
    }
    return out;
}

TEST_F(MainWindowTest, NodePopupIsBuiltFromTheRulesEveryTime) {
    UniqueMenu empty(window.BuildNodePopup());
    EXPECT_EQ(MenuText(empty.get()),
              "ｼﾝｸﾞﾙｸﾘｯｸを有効(&S) 送信時の変換(&Z)[9] - アイテムの追加(&A) - アイテムイメージの変更(&I)[12] - "
              "Wait設定(&W) ホットキーの設定(&Y) - ヘルプ(&H) バージョン情報(&V)");

    BuildSample();
    window.SetDown(ToolButton::Paste, true);
    frm().ClickCheckClick();
    window.SetTabEnterMenu(25, "Tabを押す(&P)");
    UniqueMenu full(window.BuildNodePopup());
    EXPECT_EQ(MenuText(full.get()),
              "Tabを押す(&P) - ｼﾝｸﾞﾙｸﾘｯｸを有効(&S)* 送信時の変換(&Z)[9] この項目の送り方(&M)[9] - アイテムの追加(&A) "
              "子アイテムの追加(&K) - "
              "全てのアイテムを開く(&O) 全てのアイテムを閉じる(&T) - 選択アイテムの編集(&E) "
              "アイテムイメージの変更(&I)[12] 選択アイテムを削除(&D) 全て削除(&C) - Wait設定(&W) "
              "ホットキーの設定(&Y) - ヘルプ(&H) バージョン情報(&V)");

    // The conversion submenu shows the current choice: one radio entry and the check entries.
    for (const SendConversion& c :
         {SendConversion{0, false, false}, SendConversion{3, true, false}, SendConversion{5, false, true}}) {
        window.Command(kCmdConvertMode0 + c.mode);
        if (frm().Conversion().noHyphen != c.noHyphen) window.Command(kCmdNoHyphen);
        if (frm().Conversion().typing != c.typing) window.Command(kCmdTyping);
        UniqueMenu menu(window.BuildNodePopup());
        HMENU convert = GetSubMenu(menu.get(), 3);
        ASSERT_NE(convert, nullptr);
        std::string expected;
        const char* modes[] = {"そのまま(&0)", "英数字を半角(&1)", "全角(&2)",
                               "カタカナ(&3)", "ひらがな(&4)",     "半角カナ(&5)"};
        for (int mode = 0; mode < 6; ++mode) expected += std::string(modes[mode]) + (mode == c.mode ? "* " : " ");
        expected += std::string("- ハイフンを除く(&H)") + (c.noHyphen ? "*" : "") + " キー入力で送る(&K)" +
                    (c.typing ? "*" : "");
        EXPECT_EQ(MenuText(convert), expected);
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoW(convert, 0, TRUE, &mi));
        EXPECT_TRUE(mi.fType & MFT_RADIOCHECK);
        ASSERT_TRUE(GetMenuItemInfoW(convert, 7, TRUE, &mi));
        EXPECT_FALSE(mi.fType & MFT_RADIOCHECK);
    }
    window.Command(kCmdConvertMode0 + 2);
    window.Command(kCmdNoHyphen);
    window.Command(kCmdTyping);
    EXPECT_EQ(frm().Conversion().mode, 2);
    EXPECT_TRUE(frm().Conversion().noHyphen);
    EXPECT_FALSE(frm().Conversion().typing);

    frm().NoTabEnterClick(2);
    UniqueMenu tabEnter(window.BuildTabEnterPopup());
    EXPECT_EQ(MenuText(tabEnter.get()), "何もしない(&N) Tabを押す(&T) Enterを押す(&E)*");

    // The way of sending: the selection's choice, checked in its submenu and marked on its icon.
    Item* c = model().ItemAt(2);
    window.Select(c);
    window.Command(kCmdSendWay0 + 2);
    window.Command(kCmdFollowUp0 + 3);
    UniqueMenu ways(window.BuildNodePopup());
    EXPECT_EQ(MenuText(GetSubMenu(ways.get(), 5)),
              "全体の設定に従う(&0) 貼り付ける(&P) キー入力で送る(&K)* スペースキーを押す(&S) - "
              "後続キーは全体の設定(&A) 後続キーなし(&N) 後続キーはTab(&T) 後続キーはEnter(&E)*");
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tv.hItem = window.TreeItemOf(c);
    SendMessageW(window.TreeControl(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    EXPECT_EQ(tv.iImage, MarkedImage(0));
    EXPECT_EQ(tv.iSelectedImage, MarkedImage(12));
}

TEST_F(MainWindowTest, ToolButtonsCarryTheirImagesAndTheTabEnterButtonFollows) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE | TBIF_STYLE;
    SendMessageW(window.ToolBar1(), TB_GETBUTTONINFOW, kCmdResizeBtn, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, 32);
    EXPECT_TRUE(info.fsStyle & BTNS_CHECK);
    SendMessageW(window.ToolBar2(), TB_GETBUTTONINFOW, kCmdNodeEditBtn, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, 33);
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
    window.SetTabEnterButton(26, "Enterを押す");
    SendMessageW(window.ToolBar1(), TB_GETBUTTONINFOW, kCmdTabEnterBtn, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, 26);

    window.SetStatusText("Tarvex[Tarvex] - [日記・予定]");
    EXPECT_EQ(window.StatusText(), "Tarvex[Tarvex] - [日記・予定]");
}

// A window whose handler throws: the error is reported and the procedure answers.
class ThrowingWindow : public WindowBase {
public:
    std::string reported;
    bool throwNow = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_USER && throwNow) throw Error("壊れた");
        return Default(msg, wParam, lParam);
    }
    void ReportException(const std::string& message) override { reported = message; }
};

TEST(WindowBaseTest, NoExceptionLeavesTheWindowProcedure) {
    ASSERT_TRUE(WindowBase::RegisterWindowClass(GetModuleHandleW(nullptr), L"Cv2ThrowingWindow", nullptr));
    ThrowingWindow w;
    HWND hwnd = w.CreateWindowFor(0, L"Cv2ThrowingWindow", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  GetModuleHandleW(nullptr));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(w.Hwnd(), hwnd);
    w.throwNow = true;
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(w.reported, "壊れた");
    DestroyWindow(hwnd);
    EXPECT_EQ(w.Hwnd(), nullptr);  // forgotten at WM_NCDESTROY
}

struct CountingTraits {
    using Type = int;
    static int closed;
    static Type Null() { return 0; }
    static void Close(Type) { ++closed; }
};
int CountingTraits::closed = 0;

TEST(UniqueHandleTest, ClosesOnceWhateverWayOwnershipGoes) {
    CountingTraits::closed = 0;
    {
        UniqueHandle<CountingTraits> a(5);
        UniqueHandle<CountingTraits> b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 5);
        UniqueHandle<CountingTraits> c(6);
        c = std::move(b);  // 6 closed
        EXPECT_EQ(CountingTraits::closed, 1);
        UniqueHandle<CountingTraits> d(7);
        EXPECT_EQ(d.release(), 7);
    }
    EXPECT_EQ(CountingTraits::closed, 2);  // 5 at the end of c; 7 was released
    int guarded = 0;
    {
        auto guard = ScopeGuard([&] { ++guarded; });
        auto dismissed = ScopeGuard([&] { guarded += 10; });
        dismissed.Dismiss();
    }
    EXPECT_EQ(guarded, 1);
}

}  // namespace
}  // namespace cv2
