// The main window's messages and commands, and those of its tree control.
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
// Messages

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            return CreateControls() ? 0 : -1;
        case WM_SIZE:
            if (!created_) return 0;
            LayoutControls();
            if (wParam != SIZE_MINIMIZED && resizeDepth_ < 4) {
                ++resizeDepth_;
                auto done = ScopeGuard([this] { --resizeDepth_; });
                frm_->FormResize();
            }
            return 0;
        case WM_DPICHANGED: {
            // The window went to a monitor of another resolution (or that monitor's
            // scaling changed): everything anew at the new one, in the place Windows
            // suggests for it. A place the program itself set (one stored at the last exit,
            // in the pixels of the monitor it lies on) keeps the size it was given: the
            // suggestion would scale it once more.
            if (!created_) return 0;
            ApplyDpi(LOWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            const Bounds place =
                movingTo_ ? *movingTo_ : Bounds{suggested->left, suggested->top, Width(*suggested), Height(*suggested)};
            SetWindowPos(Hwnd(), nullptr, place.left, place.top, place.width, place.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            LayoutControls();
            // In compact mode the window fits the bars at their new heights.
            // A size that did not change sends no WM_SIZE: the minimums are applied here.
            if (IsDown(ToolButton::Resize))
                frm_->ShowToolBar2BtnClick();
            else
                frm_->FormResize();
            return 0;
        }
        case kResumeRedrawMessage:
            if (redrawHeld_) {
                redrawHeld_ = false;
                ResumeTreeRedraw();
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId) frm_->Timer1Timer();
            if (wParam == kRecoveryTimerId) frm_->RecoveryTimerTimer();
            return 0;
        case WM_HOTKEY: {
            HotKeyAction action{};
            if (HotKeyActionOfId(static_cast<int>(wParam), action)) frm_->HotKeyPressed(action);
            return 0;
        }
        case WM_COMMAND:
            if (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolBar1_ ||
                reinterpret_cast<HWND>(lParam) == toolBar2_) {
                Command(LOWORD(wParam));
                return 0;
            }
            return Default(msg, wParam, lParam);
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == tree_) {
                if (lParam == -1)
                    ShowNodePopupAtSelection();
                else
                    ShowNodePopup(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return 0;
            }
            return Default(msg, wParam, lParam);
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mi->CtlType != ODT_MENU) return FALSE;
            // A little air between the picture and the caption.
            mi->itemWidth = static_cast<UINT>(metrics_.imageSide + metrics_.menuImageGap);
            mi->itemHeight = static_cast<UINT>(metrics_.imageSide);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (di->CtlType != ODT_MENU || di->itemData == 0) return FALSE;
            int image = static_cast<int>(di->itemData) - 1;
            int y = di->rcItem.top + (Height(di->rcItem) - metrics_.imageSide) / 2;
            ImageList_Draw(images_.get(), image, di->hDC, di->rcItem.left, y, ILD_TRANSPARENT);
            return TRUE;
        }
        case WM_RENDERFORMAT:
            // A program reads the text we promised: while it waits, the clipboard is open
            // for it and the data goes straight in.
            frm_->ClipboardRender(static_cast<unsigned>(wParam));
            return 0;
        case WM_RENDERALLFORMATS:
            frm_->ClipboardRenderAll();
            return 0;
        case WM_DESTROYCLIPBOARD:
            frm_->ClipboardReleased();
            return 0;
        case WM_KEYDOWN:
            // The window itself has the focus when the tree does not (just after activation).
            if (HistoryKey(wParam)) return 0;
            return Default(msg, wParam, lParam);
        case WM_CLOSE:
            if (frm_->FormCloseQuery()) {
                // The promised text outlives us: given now, while the window can still open
                // the clipboard as its owner.
                frm_->ClipboardRenderAll();
                DestroyWindow(Hwnd());
            }
            return 0;
        case WM_QUERYENDSESSION:
            return frm_->FormQueryEndSession((lParam & ENDSESSION_CRITICAL) != 0) ? TRUE : FALSE;
        case WM_ENDSESSION:
            // The system may end the process at any moment after this returns, without
            // WM_DESTROY: the settings are written now. The window then goes as on closing,
            // so that the message loop ends and the single-instance guard is released.
            if (wParam) {
                KillTimer(Hwnd(), kTimerId);
                KillTimer(Hwnd(), kRecoveryTimerId);
                frm_->ClipboardRenderAll();
            }
            try {
                frm_->FormEndSession(wParam != FALSE);
            } catch (const std::exception& e) {
                ReportException(e.what());
            }
            if (wParam) DestroyWindow(Hwnd());
            return 0;
        case WM_DESTROY:
            KillTimer(Hwnd(), kTimerId);
            KillTimer(Hwnd(), kRecoveryTimerId);
            try {
                frm_->FormDestroy();
            } catch (const std::exception& e) {
                ReportException(e.what());
            }
            if (quitOnDestroy) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            created_ = false;
            rebar_ = toolBar1_ = toolBar2_ = status_ = tree_ = nullptr;
            return Default(msg, wParam, lParam);
        default:
            return Default(msg, wParam, lParam);
    }
}

void MainWindow::Command(int id) {
    TCV2Frm& f = *frm_;
    // An in-place edit still open (the item button's menu leaves it so) ends as accepted
    // first: it is a change of its own that the undo then takes back.
    if ((id == kCmdUndoMenu || id == kCmdRedoMenu) && tree_) SendMessageW(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
    if (id >= kCmdIm00 && id < kCmdIm00 + 12) return f.Im11Click(id - kCmdIm00);
    if (id >= kCmdNoTabEnter && id <= kCmdEnter1) return f.NoTabEnterClick(id - kCmdNoTabEnter);
    if (id >= kCmdConvertMode0 && id < kCmdConvertMode0 + kConvertMenuModes)
        return f.ConvertModeClick(id - kCmdConvertMode0);
    if (id >= kCmdSendWay0 && id < kCmdSendWay0 + kSendWayCount)
        return f.SendWayClick(static_cast<SendWay>(id - kCmdSendWay0));
    if (id >= kCmdFollowUp0 && id < kCmdFollowUp0 + kFollowUpChoiceCount)
        return f.FollowUpChoiceClick(static_cast<FollowUpChoice>(id - kCmdFollowUp0));
    if (id >= kCmdRecent0 && id < kCmdRecent0 + kRecentFileCount) return f.RecentFileClick(id - kCmdRecent0);
    if (RunNodeMenuCommand(f, id)) return;
    switch (id) {
        case kCmdNoHyphen:
            return f.NoHyphenClick();
        case kCmdTyping:
            return f.TypingClick();
        case kCmdResizeBtn:
            return f.ResizeBtnClick();
        case kCmdShowToolBar2Btn:
            return f.ShowToolBar2BtnClick();
        case kCmdPasteBtn:
            return f.PasteBtnClick();
        case kCmdTabEnterBtn:
            return f.TabEnterBtnClick();
        case kCmdNewBtn:
            return f.NewBtnClick();
        case kCmdOpenBtn:
            return f.OpenBtnClick();
        case kCmdSaveBtn:
            return f.SaveBtnClick();
        case kCmdNodeEditBtn:
            return f.AddNodeMenuClick();
        default:
            return;
    }
}

bool MainWindow::HistoryKey(WPARAM key) {
    // Ctrl+Z and Ctrl+Y alone; with Alt or Shift they are other keys. An open in-place edit
    // has the focus itself and keeps these keys for its own text.
    if ((key != 'Z' && key != 'Y') || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 ||
        GetKeyState(VK_SHIFT) < 0)
        return false;
    Command(key == 'Z' ? kCmdUndoMenu : kCmdRedoMenu);
    return true;
}

LRESULT MainWindow::OnNotify(NMHDR* header) {
    if (header->hwndFrom == tree_) return treeControl_.Notify(header);
    if (header->hwndFrom == rebar_) {
        if (header->code == RBN_HEIGHTCHANGE) LayoutControls();
        return 0;
    }
    if (header->code == TTN_GETDISPINFOW) {
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(header);
        auto it = hints_.find(static_cast<int>(header->idFrom));
        if (it != hints_.end()) tip->lpszText = const_cast<wchar_t*>(it->second.c_str());
        return 0;
    }
    if (header->code == TBN_DROPDOWN && (header->hwndFrom == toolBar1_ || header->hwndFrom == toolBar2_)) {
        auto* tb = reinterpret_cast<NMTOOLBARW*>(header);
        RECT r{};
        SendMessageW(header->hwndFrom, TB_GETRECT, static_cast<WPARAM>(tb->iItem), reinterpret_cast<LPARAM>(&r));
        POINT below{r.left, r.bottom};
        ClientToScreen(header->hwndFrom, &below);
        if (tb->iItem == kCmdTabEnterBtn)
            ShowTabEnterPopup(below);
        else if (tb->iItem == kCmdNodeEditBtn)
            ShowNodePopup(below);
        return TBDDRET_DEFAULT;
    }
    return 0;
}

bool MainWindow::TreeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    result = 0;
    if (dragging_ && DragMessage(msg, wParam, pt)) return true;
    switch (msg) {
        case WM_MOUSEACTIVATE:
            // The user clicks the next item while the target still takes the last send's keys:
            // activating us now would hand those keys to our own window (Wine routes queued
            // keys by the focus of the moment they are taken from the queue). The click does
            // its work without taking the front; the send it starts brings the target forward.
            // Clicks elsewhere on the window (its bars, its frame) activate it as always.
            if (!frm_->TargetKeepsTheKeyboard()) break;
            result = MA_NOACTIVATE;
            return true;
        case WM_MOUSEMOVE:
            frm_->MainTreeMouseMove(pt.x, pt.y);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The click and double-click notifications that follow carry no key state.
            pressShift_ = (wParam & MK_SHIFT) != 0;
            frm_->MainTreeMouseDown(MouseButton::Left, (wParam & MK_CONTROL) != 0, pt.x, pt.y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            frm_->MainTreeMouseDown(MouseButton::Right, (wParam & MK_CONTROL) != 0, pt.x, pt.y);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            frm_->MainTreeMouseDown(MouseButton::Middle, (wParam & MK_CONTROL) != 0, pt.x, pt.y);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Shift+F10 opens the item menu like the menu key does.
            if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0) {
                ShowNodePopupAtSelection();
                return true;
            }
            if (msg == WM_KEYDOWN && HistoryKey(wParam)) return true;
            break;
        case WM_CHAR:
            // The characters of Ctrl+Z and Ctrl+Y: the keys did their work already, and the
            // control's search by typed letters would only beep at them.
            if (wParam == 0x1A || wParam == 0x19) return true;
            break;
        default:
            break;
    }
    return false;
}

}  // namespace cv2
