#pragma once
// The main window's popup menus and tool buttons as tables, and the pure rules that decide
// which entries of NodePopup are shown. The Win32 window builds its menus and toolbars from
// these tables and only applies what the rules decide.
#include <array>

#include "CV2MainFrm/MainView.h"

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

// NodePopup, top to bottom, in the order of NodeMenu.
inline constexpr std::array<MenuEntry, kNodeMenuCount> kNodePopup{{
    {kCmdTabEnterMenu, "何もしない", 2},
    {kCmdNone, nullptr, kNoImage},
    {kCmdClickCheck, "ｼﾝｸﾞﾙｸﾘｯｸを有効(&S)", 43},
    {kCmdConvertMenu, "送信時の変換(&Z)", 44},
    {kCmdNone, nullptr, kNoImage},
    {kCmdAddNodeMenu, "アイテムの追加(&A)", 33},
    {kCmdAddChildMenu, "子アイテムの追加(&K)", 34},
    {kCmdNone, nullptr, kNoImage},
    {kCmdFullExpandMenu, "全てのアイテムを開く(&O)", 35},
    {kCmdFullCollapseMenu, "全てのアイテムを閉じる(&T)", 36},
    {kCmdNone, nullptr, kNoImage},
    {kCmdEditTextMenu, "選択アイテムの編集(&E)", 37},
    {kCmdN1, "アイテムイメージの変更(&I)", 42},
    {kCmdDelNodeMenu, "選択アイテムを削除(&D)", 38},
    {kCmdAllDelNodeMenu, "全て削除(&C)", 39},
    {kCmdNone, nullptr, kNoImage},
    {kCmdWait1, "Wait設定(&W)", 30},
    {kCmdNone, nullptr, kNoImage},
    {kCmdHelp1, "ヘルプ(&H)", 40},
    {kCmdAbout, "バージョン情報(&V)", 41},
}};

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

inline constexpr bool IsSeparator(NodeMenu entry) { return kNodePopup[static_cast<int>(entry)].caption == nullptr; }

// Which ordinary entries of NodePopup are shown; separators come out hidden (see
// NormalizeSeparators).
NodeMenuVisibility NodeMenuEntries(bool treeNotEmpty, bool someItemHasChildren, bool pasteMode);

// Shows exactly one separator (the last of its run) between two groups of visible ordinary
// entries and hides every other one, those at the top and the bottom included.
NodeMenuVisibility NormalizeSeparators(NodeMenuVisibility visible);

}  // namespace cv2
