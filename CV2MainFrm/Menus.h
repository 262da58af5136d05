#pragma once
// The main window's popup menus and tool buttons as tables, and the pure rules that decide
// which entries of NodePopup are shown. The Win32 window builds its menus and toolbars from
// these tables and only applies what the rules decide.
#include <array>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/MainView.h"
#include "base/SendChoice.h"

namespace cv2 {

// Command identifiers of menu entries and tool buttons (WM_COMMAND ids).
enum CommandId : int {
    kCmdNone = 0,
    // NodePopup
    kCmdTabEnterMenu = 100,
    kCmdClickCheck,
    kCmdAddNodeMenu,
    kCmdAddChildMenu,
    kCmdFullExpandMenu,
    kCmdFullCollapseMenu,
    kCmdEditTextMenu,
    kCmdN1,
    kCmdDelNodeMenu,
    kCmdAllDelNodeMenu,
    kCmdWait1,
    kCmdHelp1,
    kCmdAbout,
    kCmdConvertMenu,
    kCmdGroupSendMenu,
    kCmdSendWayMenu,
    kCmdHotKeyMenu,
    kCmdRecentMenu,
    kCmdUndoMenu,
    kCmdRedoMenu,
    // N1: Im00..Im11 are kCmdIm00 + 0..11
    kCmdIm00 = 200,
    // TabEnterPopup: NoTabEnter, TAB1, Enter1 are kCmdNoTabEnter + 0..2
    kCmdNoTabEnter = 300,
    kCmdTab1,
    kCmdEnter1,
    // ConvertMenu: the modes 0..5 are kCmdConvertMode0 + the mode
    kCmdConvertMode0 = 320,
    kCmdNoHyphen = kCmdConvertMode0 + 6,
    kCmdTyping,
    // SendWayMenu: the ways are kCmdSendWay0 + SendWay, the follow-up keys kCmdFollowUp0 +
    // FollowUpChoice
    kCmdSendWay0 = 340,
    kCmdFollowUp0 = kCmdSendWay0 + kSendWayCount,
    // RecentMenu: the recent files are kCmdRecent0 + 0..7
    kCmdRecent0 = 360,
    // tool buttons
    kCmdResizeBtn = 400,
    kCmdShowToolBar2Btn,
    kCmdPasteBtn,
    kCmdTabEnterBtn,
    kCmdNewBtn,
    kCmdOpenBtn,
    kCmdSaveBtn,
    kCmdNodeEditBtn,
};

// A menu entry; a null caption is a separator. Captions are code page 932.
struct MenuEntry {
    int id;
    const char* caption;
    int image;  // index into the shared image list, or -1
};

inline constexpr int kNoImage = -1;

// When an entry of NodePopup is shown (separators: see NormalizeSeparators).
enum class NodeMenuShown {
    Always,
    InPasteMode,      // the paste button is down
    WithItems,        // the tree is not empty
    WithChildren,     // some item has children
    ForParent,        // the item the menu is for (the selection) has children
    WithRecentFiles,  // the recent-files list is not empty
    WithUndo,         // there is a change to undo
    WithRedo,         // there is an undone change to redo
    AsSeparator,      // one between two groups of shown entries
};

// An entry of NodePopup: where it stands, its command, caption and picture, when it is
// shown, and the TCV2Frm handler its command runs (none for a separator, nor for an entry
// that only opens a submenu). Captions are code page 932.
struct NodeMenuEntry {
    NodeMenu entry;
    int id;
    const char* caption;
    int image;
    NodeMenuShown shown;
    void (TCV2Frm::*handler)();

    constexpr MenuEntry Menu() const { return {id, caption, image}; }
};

inline constexpr NodeMenuEntry NodeMenuSeparator(NodeMenu entry) {
    return {entry, kCmdNone, nullptr, kNoImage, NodeMenuShown::AsSeparator, nullptr};
}

// NodePopup, top to bottom: the one table the rules, the window's menu and its commands read.
inline constexpr std::array<NodeMenuEntry, kNodeMenuCount> kNodePopup{{
    {NodeMenu::TabEnterMenu, kCmdTabEnterMenu, "何もしない", 2, NodeMenuShown::InPasteMode, &TCV2Frm::TabEnterBtnClick},
    {NodeMenu::GroupSendMenu, kCmdGroupSendMenu, "子アイテムを続けて送信(&G)", 45, NodeMenuShown::ForParent,
     &TCV2Frm::GroupSendMenuClick},
    NodeMenuSeparator(NodeMenu::z001),
    {NodeMenu::ClickCheck, kCmdClickCheck, "ｼﾝｸﾞﾙｸﾘｯｸを有効(&S)", 43, NodeMenuShown::Always, &TCV2Frm::ClickCheckClick},
    {NodeMenu::ConvertMenu, kCmdConvertMenu, "送信時の変換(&Z)", 44, NodeMenuShown::Always, nullptr},
    {NodeMenu::SendWayMenu, kCmdSendWayMenu, "この項目の送り方(&M)", 46, NodeMenuShown::WithItems, nullptr},
    NodeMenuSeparator(NodeMenu::z002),
    {NodeMenu::UndoMenu, kCmdUndoMenu, "元に戻す(&U)", 47, NodeMenuShown::WithUndo, &TCV2Frm::UndoMenuClick},
    {NodeMenu::RedoMenu, kCmdRedoMenu, "やり直し(&R)", 48, NodeMenuShown::WithRedo, &TCV2Frm::RedoMenuClick},
    {NodeMenu::AddNodeMenu, kCmdAddNodeMenu, "アイテムの追加(&A)", 33, NodeMenuShown::Always,
     &TCV2Frm::AddNodeMenuClick},
    {NodeMenu::AddChildMenu, kCmdAddChildMenu, "子アイテムの追加(&K)", 34, NodeMenuShown::WithItems,
     &TCV2Frm::AddChildMenuClick},
    NodeMenuSeparator(NodeMenu::z003),
    {NodeMenu::FullExpandMenu, kCmdFullExpandMenu, "全てのアイテムを開く(&O)", 35, NodeMenuShown::WithChildren,
     &TCV2Frm::FullExpandMenuClick},
    {NodeMenu::FullCollapseMenu, kCmdFullCollapseMenu, "全てのアイテムを閉じる(&T)", 36, NodeMenuShown::WithChildren,
     &TCV2Frm::FullCollapseMenuClick},
    NodeMenuSeparator(NodeMenu::z004),
    {NodeMenu::EditTextMenu, kCmdEditTextMenu, "選択アイテムの編集(&E)", 37, NodeMenuShown::WithItems,
     &TCV2Frm::EditTextMenuClick},
    {NodeMenu::N1, kCmdN1, "アイテムイメージの変更(&I)", 42, NodeMenuShown::Always, nullptr},
    {NodeMenu::DelNodeMenu, kCmdDelNodeMenu, "選択アイテムを削除(&D)", 38, NodeMenuShown::WithItems,
     &TCV2Frm::DelNodeMenuClick},
    {NodeMenu::AllDelNodeMenu, kCmdAllDelNodeMenu, "全て削除(&C)", 39, NodeMenuShown::WithItems,
     &TCV2Frm::AllDelNodeMenuClick},
    NodeMenuSeparator(NodeMenu::z005),
    {NodeMenu::RecentMenu, kCmdRecentMenu, "最近使ったファイル(&F)", 27, NodeMenuShown::WithRecentFiles, nullptr},
    {NodeMenu::Wait1, kCmdWait1, "Wait設定(&W)", 30, NodeMenuShown::Always, &TCV2Frm::Wait1Click},
    {NodeMenu::HotKeyMenu, kCmdHotKeyMenu, "ホットキーの設定(&Y)", 46, NodeMenuShown::Always,
     &TCV2Frm::HotKeyMenuClick},
    NodeMenuSeparator(NodeMenu::Z006),
    {NodeMenu::Help1, kCmdHelp1, "ヘルプ(&H)", 40, NodeMenuShown::Always, &TCV2Frm::Help1Click},
    {NodeMenu::About, kCmdAbout, "バージョン情報(&V)", 41, NodeMenuShown::Always, &TCV2Frm::AboutClick},
}};

// Each entry stands at its own place, so the table indexes by NodeMenu.
constexpr bool NodePopupInOrder() {
    for (int i = 0; i < kNodeMenuCount; ++i)
        if (static_cast<int>(kNodePopup[i].entry) != i) return false;
    return true;
}
static_assert(NodePopupInOrder(), "kNodePopup lists the entries in the order of NodeMenu");

// The submenu N1: entry i carries image i.
inline constexpr std::array<MenuEntry, 12> kImageMenu{{
    {kCmdIm00 + 0, "01", 0},
    {kCmdIm00 + 1, "02", 1},
    {kCmdIm00 + 2, "03", 2},
    {kCmdIm00 + 3, "04", 3},
    {kCmdIm00 + 4, "05", 4},
    {kCmdIm00 + 5, "06", 5},
    {kCmdIm00 + 6, "07", 6},
    {kCmdIm00 + 7, "08", 7},
    {kCmdIm00 + 8, "09", 8},
    {kCmdIm00 + 9, "10", 9},
    {kCmdIm00 + 10, "11", 10},
    {kCmdIm00 + 11, "12", 11},
}};

// The submenu ConvertMenu: the modes as one radio group, then two check entries.
inline constexpr int kConvertMenuModes = 6;
inline constexpr std::array<MenuEntry, 9> kConvertMenu{{
    {kCmdConvertMode0 + 0, "そのまま(&0)", kNoImage},
    {kCmdConvertMode0 + 1, "英数字を半角(&1)", kNoImage},
    {kCmdConvertMode0 + 2, "全角(&2)", kNoImage},
    {kCmdConvertMode0 + 3, "カタカナ(&3)", kNoImage},
    {kCmdConvertMode0 + 4, "ひらがな(&4)", kNoImage},
    {kCmdConvertMode0 + 5, "半角カナ(&5)", kNoImage},
    {kCmdNone, nullptr, kNoImage},
    {kCmdNoHyphen, "ハイフンを除く(&H)", kNoImage},
    {kCmdTyping, "キー入力で送る(&K)", kNoImage},
}};

// The submenu SendWayMenu: the item's way of sending, a separator, its follow-up key; two
// radio groups, each in the order of its enum.
inline constexpr std::array<MenuEntry, kSendWayCount + 1 + kFollowUpChoiceCount> kSendWayMenu{{
    {kCmdSendWay0 + 0, "全体の設定に従う(&0)", kNoImage},
    {kCmdSendWay0 + 1, "貼り付ける(&P)", kNoImage},
    {kCmdSendWay0 + 2, "キー入力で送る(&K)", kNoImage},
    {kCmdSendWay0 + 3, "スペースキーを押す(&S)", kNoImage},
    {kCmdNone, nullptr, kNoImage},
    {kCmdFollowUp0 + 0, "後続キーは全体の設定(&A)", kNoImage},
    {kCmdFollowUp0 + 1, "後続キーなし(&N)", kNoImage},
    {kCmdFollowUp0 + 2, "後続キーはTab(&T)", kNoImage},
    {kCmdFollowUp0 + 3, "後続キーはEnter(&E)", kNoImage},
}};

// TabEnterPopup: one radio group; the index of an entry is the follow-up key choice.
inline constexpr std::array<MenuEntry, 3> kTabEnterPopup{{
    {kCmdNoTabEnter, "何もしない(&N)", 24},
    {kCmdTab1, "Tabを押す(&T)", 25},
    {kCmdEnter1, "Enterを押す(&E)", 26},
}};

enum class ButtonStyle { Plain, Check, DropDown };

struct ToolButtonEntry {
    ToolButton button;
    int id;
    ButtonStyle style;
    int image;
    const char* hint;  // code page 932
};

inline constexpr std::array<ToolButtonEntry, 4> kToolBar1{{
    {ToolButton::Resize, kCmdResizeBtn, ButtonStyle::Check, 32, "フォームの開閉"},
    {ToolButton::ShowToolBar2, kCmdShowToolBar2Btn, ButtonStyle::Check, 31, "ボタンの表示切替"},
    {ToolButton::Paste, kCmdPasteBtn, ButtonStyle::Check, 30, "直下に貼付け"},
    {ToolButton::TabEnter, kCmdTabEnterBtn, ButtonStyle::DropDown, 24, "処理切替"},
}};

inline constexpr std::array<ToolButtonEntry, 4> kToolBar2{{
    {ToolButton::New, kCmdNewBtn, ButtonStyle::Plain, 29, "新規作成"},
    {ToolButton::Open, kCmdOpenBtn, ButtonStyle::Plain, 27, "ファイルを開く"},
    {ToolButton::Save, kCmdSaveBtn, ButtonStyle::Plain, 28, "ファイルを保存"},
    {ToolButton::NodeEdit, kCmdNodeEditBtn, ButtonStyle::DropDown, 33, "アイテムの追加"},
}};

inline constexpr const NodeMenuEntry& NodePopupEntry(NodeMenu entry) { return kNodePopup[static_cast<int>(entry)]; }

inline constexpr bool IsSeparator(NodeMenu entry) { return NodePopupEntry(entry).shown == NodeMenuShown::AsSeparator; }

// Which ordinary entries of NodePopup are shown, by their rules in kNodePopup; separators
// come out hidden (see NormalizeSeparators).
// What the rules of NodePopup look at.
struct NodeMenuState {
    bool treeNotEmpty = false;
    bool someItemHasChildren = false;
    bool pasteMode = false;
    bool forParent = false;  // the item the menu is for has children
    bool hasRecentFiles = false;
    bool canUndo = false;
    bool canRedo = false;
};
NodeMenuVisibility NodeMenuEntries(const NodeMenuState& state);

// Shows exactly one separator (the last of its run) between two groups of visible ordinary
// entries and hides every other one, those at the top and the bottom included.
NodeMenuVisibility NormalizeSeparators(NodeMenuVisibility visible);

// Runs the handler of the NodePopup entry with command `id`; false when no entry of
// NodePopup has that command or its entry only opens a submenu.
bool RunNodeMenuCommand(TCV2Frm& frm, int id);

}  // namespace cv2
