// The main window's popup menus.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "About/AboutBox_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "CV2MainFrm/HitZones.h"
#include "wingui/ImageList_win.h"
#include "CV2MainFrm/MainWindow_win.h"
#include "CV2MainFrm/MainWindowParts_win.h"
#include "NewFrm/NewInputFrm_win.h"
#include "Option/OptionFrm_win.h"
#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "base/Error.h"

namespace cv2 {

using namespace mainwindow;

// ---------------------------------------------------------------------------------------
// Popup menus

void MainWindow::AppendMenuEntry(HMENU menu, const MenuEntry& entry, const std::wstring& caption, UINT state,
                                 bool radio, HMENU subMenu) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    if (!entry.caption) {
        mi.fMask = MIIM_FTYPE;
        mi.fType = MFT_SEPARATOR;
    } else {
        mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
        mi.fType = radio ? MFT_RADIOCHECK : MFT_STRING;
        mi.fState = state;
        mi.wID = static_cast<UINT>(entry.id);
        mi.dwTypeData = const_cast<wchar_t*>(caption.c_str());
        // Entries without a picture get no picture column, only their check mark.
        if (entry.image != kNoImage) {
            mi.fMask |= MIIM_BITMAP | MIIM_DATA;
            mi.hbmpItem = HBMMENU_CALLBACK;
            mi.dwItemData = static_cast<ULONG_PTR>(entry.image + 1);
        }
        if (subMenu) {
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = subMenu;
        }
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
}

HMENU MainWindow::BuildNodePopup() {
    NodeMenuVisibility visible = frm_->NodePopupPopup();
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < kNodeMenuCount; ++i) {
        if (!visible[i]) continue;
        MenuEntry entry = kNodePopup[i].Menu();
        std::wstring caption = entry.caption ? FromCp932(entry.caption) : std::wstring();
        UINT state = MFS_ENABLED;
        HMENU sub = nullptr;
        switch (static_cast<NodeMenu>(i)) {
            case NodeMenu::TabEnterMenu:
                entry.image = tabEnterMenuImage_;
                caption = tabEnterMenuCaption_;
                break;
            case NodeMenu::ClickCheck:
                if (frm_->ClickCheck()) state |= MFS_CHECKED;
                break;
            case NodeMenu::ConvertMenu:
                sub = BuildConvertMenu();
                break;
            case NodeMenu::SendWayMenu:
                sub = BuildSendWayMenu();
                break;
            case NodeMenu::RecentMenu:
                sub = BuildRecentMenu();
                break;
            case NodeMenu::N1:
                sub = CreatePopupMenu();
                for (const MenuEntry& im : kImageMenu)
                    AppendMenuEntry(sub, im, FromCp932(im.caption), 0, false, nullptr);
                break;
            default:
                break;
        }
        AppendMenuEntry(menu, entry, caption, state, false, sub);
    }
    return menu;
}

HMENU MainWindow::BuildConvertMenu() {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < static_cast<int>(kConvertMenu.size()); ++i) {
        const MenuEntry& e = kConvertMenu[i];
        const bool radio = i < kConvertMenuModes;
        bool checked = radio ? frm_->Conversion().mode == i : false;
        if (e.id == kCmdNoHyphen) checked = frm_->Conversion().noHyphen;
        if (e.id == kCmdTyping) checked = frm_->Conversion().typing;
        AppendMenuEntry(menu, e, e.caption ? FromCp932(e.caption) : std::wstring(),
                        checked ? MFS_CHECKED : MFS_UNCHECKED, radio, nullptr);
    }
    return menu;
}

HMENU MainWindow::BuildSendWayMenu() {
    // The choice of the item the menu is for; without a selection, the defaults.
    const Item* selection = Selection();
    const int way = static_cast<int>(selection ? selection->Way() : SendWay::Default);
    const int followUp = static_cast<int>(selection ? selection->FollowUp() : FollowUpChoice::Default);
    HMENU menu = CreatePopupMenu();
    for (const MenuEntry& e : kSendWayMenu) {
        const bool isWay = e.id >= kCmdSendWay0 && e.id < kCmdSendWay0 + kSendWayCount;
        const bool checked = isWay ? e.id - kCmdSendWay0 == way : e.id - kCmdFollowUp0 == followUp;
        AppendMenuEntry(menu, e, e.caption ? FromCp932(e.caption) : std::wstring(),
                        checked ? MFS_CHECKED : MFS_UNCHECKED, e.caption != nullptr, nullptr);
    }
    return menu;
}

HMENU MainWindow::BuildRecentMenu() {
    HMENU menu = CreatePopupMenu();
    int id = kCmdRecent0;
    for (const RecentMenuEntry& e : frm_->RecentFilesMenu()) {
        AppendMenuEntry(menu, MenuEntry{id++, "", kNoImage}, e.caption, e.checked ? MFS_CHECKED : MFS_UNCHECKED, false,
                        nullptr);
    }
    return menu;
}

HMENU MainWindow::BuildTabEnterPopup() {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < static_cast<int>(kTabEnterPopup.size()); ++i) {
        const MenuEntry& e = kTabEnterPopup[i];
        UINT state = frm_->TabEnterIndex() == i ? MFS_CHECKED : MFS_UNCHECKED;
        AppendMenuEntry(menu, e, FromCp932(e.caption), state, true, nullptr);
    }
    return menu;
}

void MainWindow::ShowNodePopup(POINT screen) {
    UniqueMenu menu(BuildNodePopup());
    SetForegroundWindow(Hwnd());
    int id = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                            screen.y, 0, Hwnd(), nullptr);
    menu.reset();
    if (id) Command(id);
}

void MainWindow::ShowNodePopupAtSelection() {
    POINT at{0, 0};
    if (HTREEITEM selected = TreeView_GetSelection(tree_)) {
        RECT r{};
        if (TreeView_GetItemRect(tree_, selected, &r, TRUE)) at = POINT{r.left, r.bottom};
    }
    ClientToScreen(tree_, &at);
    ShowNodePopup(at);
}

void MainWindow::ShowTabEnterPopup(POINT screen) {
    UniqueMenu menu(BuildTabEnterPopup());
    SetForegroundWindow(Hwnd());
    int id = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                            screen.y, 0, Hwnd(), nullptr);
    menu.reset();
    if (id) Command(id);
}

}  // namespace cv2
