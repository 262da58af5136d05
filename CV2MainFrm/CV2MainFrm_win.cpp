// The main window: frame, cool bar, toolbars, status bar, tree control and popup menus.
#include "CV2MainFrm/CV2MainFrm_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "About/AboutBox_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "CV2MainFrm/HitZones.h"
#include "CV2MainFrm/ImageList_win.h"
#include "CV2MainFrm/MainWindow_win.h"
#include "NewFrm/NewInputFrm_win.h"
#include "Option/OptionFrm_win.h"
#include "platform/Cp932.h"
#include "platform/Win32Ports.h"
#include "tree/Error.h"

namespace cv2 {

static_assert(kTvhtNowhere == TVHT_NOWHERE && kTvhtOnItemIcon == TVHT_ONITEMICON &&
              kTvhtOnItemLabel == TVHT_ONITEMLABEL && kTvhtOnItemIndent == TVHT_ONITEMINDENT &&
              kTvhtOnItemButton == TVHT_ONITEMBUTTON && kTvhtOnItemRight == TVHT_ONITEMRIGHT &&
              kTvhtOnItemStateIcon == TVHT_ONITEMSTATEICON && kTvhtAbove == TVHT_ABOVE &&
              kTvhtBelow == TVHT_BELOW && kTvhtToRight == TVHT_TORIGHT && kTvhtToLeft == TVHT_TOLEFT);

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 500;
constexpr UINT_PTR kTreeSubclassId = 1;
constexpr UINT kResumeRedrawMessage = WM_APP + 1;
constexpr int kTreeId = 10;
constexpr int kStatusId = 11;
constexpr int kRebarId = 12;
// Sizes in pixels come from MainMetricsFor (wingui/Dpi.h) at the window's resolution.

WindowHandle ToHandle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

int CALLBACK FontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontExists(const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, FontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The window font: the designed face where it is installed, else the nearest we know;
// `height` is the character height in pixels.
HFONT CreateWindowFont(int height) {
    static constexpr const wchar_t* kFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"MS UI Gothic", L"IPAPGothic",
                                                L"IPA Pゴシック"};
    for (const wchar_t* face : kFaces) {
        if (!FontExists(face)) continue;
        LOGFONTW lf{};
        lf.lfHeight = -height;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
        if (HFONT font = CreateFontIndirectW(&lf)) return font;
    }
    return nullptr;
}

int Height(const RECT& r) { return r.bottom - r.top; }
int Width(const RECT& r) { return r.right - r.left; }

// The next item in pre-order inside the subtree of `root`, or null after its last item.
Item* NextInSubtree(Item* n, const Item* root) {
    if (n->FirstChild()) return n->FirstChild();
    for (; n && n != root; n = n->Parent())
        if (n->NextSibling()) return n->NextSibling();
    return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Construction

Win32Platform::Win32Platform()
    : windows(MakeWin32WindowSystem()),
      clipboard(MakeWin32Clipboard()),
      files(MakeWin32FileSystem()),
      dialogs(MakeWin32Dialogs()),
      shell(MakeWin32Shell()),
      locale(MakeWin32Locale()),
      platform{*windows, *clipboard, *files, *dialogs, *shell, *locale} {}

MainWindow::MainWindow(HINSTANCE instance, Platform& platform)
    : instance_(instance), platform_(platform), frm_(std::make_unique<TCV2Frm>(*this, platform)) {
    frm_->SetTreeView(this);
    for (const auto* bar : {&kToolBar1, &kToolBar2})
        for (const ToolButtonEntry& e : *bar) hints_[e.id] = FromCp932(e.hint);
    tabEnterMenuCaption_ = FromCp932(kNodePopup[static_cast<int>(NodeMenu::TabEnterMenu)].caption);
}

MainWindow::~MainWindow() {
    frm_->SetTreeView(nullptr);
    if (Hwnd()) {
        KillTimer(Hwnd(), kTimerId);
        DestroyWindow(Hwnd());
    }
}

bool MainWindow::Create(const std::vector<std::wstring>& args) {
    if (!RegisterWindowClass(instance_, kMainWindowClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             LoadIconW(instance_, MAKEINTRESOURCEW(1))))
        return false;
    HWND hwnd = CreateWindowFor(WS_EX_TOPMOST, kMainWindowClass, FromCp932(kAppTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                    WS_CLIPCHILDREN,
                                metrics_.designLeft, metrics_.designTop, metrics_.designWidth,
                                metrics_.designHeight, nullptr, instance_);
    if (!hwnd) return false;
    // The window's resolution is known once it exists: the designed place and size at it.
    if (metrics_.dpi != kDesignDpi) {
        SetWindowPos(hwnd, nullptr, metrics_.designLeft, metrics_.designTop, metrics_.designWidth,
                     metrics_.designHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    created_ = true;
    LayoutControls();
    SetTimerEnabled(true);
    try {
        frm_->FormCreate(args);
    } catch (const std::exception& e) {
        ReportException(e.what());
    }
    return true;
}

void MainWindow::Show(int showCommand) {
    if (!shown_) {
        shown_ = true;
        try {
            frm_->FormShow();
        } catch (const std::exception& e) {
            ReportException(e.what());
        }
    }
    ShowWindow(Hwnd(), showCommand);
    UpdateWindow(Hwnd());
}

bool MainWindow::CreateControls() {
    HWND hwnd = Hwnd();
    metrics_ = MainMetricsFor(DpiOfWindow(hwnd));
    images_.reset(CreateMainImageList(metrics_.imageSide));
    font_.reset(CreateWindowFont(metrics_.fontHeight));

    rebar_ = CreateWindowExW(0, REBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                 RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                             0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)), instance_,
                             nullptr);
    if (!rebar_) return false;
    REBARINFO info{};
    info.cbSize = sizeof info;
    SendMessageW(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));

    toolBar1_ = CreateToolBar(kToolBar1.data(), static_cast<int>(kToolBar1.size()), metrics_.toolBar1Height);
    toolBar2_ = CreateToolBar(kToolBar2.data(), static_cast<int>(kToolBar2.size()), metrics_.toolBar2Height);
    if (!toolBar1_ || !toolBar2_) return false;

    HWND bars[] = {toolBar1_, toolBar2_};
    int heights[] = {metrics_.toolBar1Height, metrics_.toolBar2Height};
    for (int i = 0; i < 2; ++i) {
        REBARBANDINFOW band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
        band.fStyle = RBBS_NOGRIPPER | (i == 1 ? RBBS_BREAK : 0);
        band.hwndChild = bars[i];
        band.cxMinChild = 0;
        band.cyMinChild = static_cast<UINT>(heights[i]);
        band.cx = static_cast<UINT>(metrics_.bandWidth);
        SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
        // The rebar became the toolbar's parent; its commands and notifications come here.
        SendMessageW(bars[i], TB_SETPARENT, reinterpret_cast<WPARAM>(hwnd), 0);
    }

    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), instance_, nullptr);
    if (!status_) return false;
    int parts[] = {-1};
    SendMessageW(status_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));

    tree_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_EDITLABELS | TVS_NONEVENHEIGHT,
                            0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), instance_,
                            nullptr);
    if (!tree_) return false;
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
    SendMessageW(tree_, TVM_SETINDENT, static_cast<WPARAM>(metrics_.treeIndent), 0);
    Subclass(tree_, kTreeSubclassId);
    ApplyFont();
    SetStatusBarHeight();
    return true;
}

HWND MainWindow::CreateToolBar(const ToolButtonEntry* entries, int count, int height) {
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, metrics_.toolBarWidth, height, Hwnd(), nullptr, instance_, nullptr);
    if (!bar) return nullptr;
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < count; ++i) {
        const ToolButtonEntry& e = entries[i];
        TBBUTTON b{};
        b.iBitmap = e.image;
        b.idCommand = e.id;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = static_cast<BYTE>(e.style == ButtonStyle::Check      ? BTNS_CHECK
                                      : e.style == ButtonStyle::DropDown ? BTNS_DROPDOWN
                                                                         : BTNS_BUTTON);
        b.iString = -1;
        buttons.push_back(b);
    }
    SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SizeToolBar(bar, height);
    return bar;
}

void MainWindow::SizeToolBar(HWND bar, int height) {
    SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(metrics_.imageSide, metrics_.imageSide));
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(metrics_.buttonWidth, metrics_.buttonHeight));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    SetWindowPos(bar, nullptr, 0, 0, metrics_.toolBarWidth, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetStatusBarHeight() {
    // The bar is the larger of its minimum and its text's height, plus borders of the
    // system's choosing: ask for the designed height, then take off what came on top.
    int minimum = metrics_.statusHeight;
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendMessageW(status_, SB_SETMINHEIGHT, static_cast<WPARAM>(std::max(0, minimum)), 0);
        SendMessageW(status_, WM_SIZE, 0, 0);
        int over = StatusBarHeight() - metrics_.statusHeight;
        if (over <= 0) break;
        minimum -= over;
    }
}

void MainWindow::ApplyDpi(int dpi) {
    const int oldDpi = metrics_.dpi;
    metrics_ = MainMetricsFor(dpi);
    // The controls let go of the old pictures and font before they are destroyed.
    UniqueImageList oldImages(images_.release());
    UniqueFont oldFont(font_.release());
    images_.reset(CreateMainImageList(metrics_.imageSide));
    font_.reset(CreateWindowFont(metrics_.fontHeight));
    ApplyFont();

    int heights[] = {metrics_.toolBar1Height, metrics_.toolBar2Height};
    for (int i = 0; i < 2; ++i) {
        REBARBANDINFOW band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
        band.cxMinChild = 0;
        band.cyMinChild = static_cast<UINT>(heights[i]);
        band.cx = static_cast<UINT>(metrics_.bandWidth);
        SendMessageW(rebar_, RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
    }
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
    SendMessageW(tree_, TVM_SETINDENT, static_cast<WPARAM>(metrics_.treeIndent), 0);
    // The tree measures its rows anew from the font and the pictures.
    SendMessageW(tree_, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SetStatusBarHeight();

    // The size to return to from compact mode is in the old monitor's pixels.
    frm_->savedWidth = RescaleBetweenDpi(frm_->savedWidth, oldDpi, dpi);
    frm_->savedHeight = RescaleBetweenDpi(frm_->savedHeight, oldDpi, dpi);
}

void MainWindow::ApplyFont() {
    HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {tree_, status_, toolBar1_, toolBar2_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // A toolbar measures its buttons anew from picture and padding when it gets a font:
    // back to the designed size.
    SizeToolBar(toolBar1_, metrics_.toolBar1Height);
    SizeToolBar(toolBar2_, metrics_.toolBar2Height);
}

void MainWindow::LayoutControls() {
    if (!rebar_) return;
    RECT client;
    GetClientRect(Hwnd(), &client);
    SendMessageW(rebar_, WM_SIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    int top = CoolBarHeight();
    int bottom = client.bottom - StatusBarHeight();
    MoveWindow(tree_, 0, top, Width(client), std::max(0, bottom - top), TRUE);
}

void MainWindow::ReportException(const std::string& sjisMessage) {
    // The report's message box runs a message loop in which the timer keeps ticking: a
    // failure that repeats on every tick would otherwise stack up box on box.
    if (reporting_) return;
    reporting_ = true;
    auto done = ScopeGuard([this] { reporting_ = false; });
    frm_->ReportError(sjisMessage);
}

HTREEITEM MainWindow::TreeItemOf(const Item* item) const {
    auto it = handles_.find(item);
    return it == handles_.end() ? nullptr : it->second;
}

Item* MainWindow::ItemOf(HTREEITEM handle) const {
    if (!handle) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = handle;
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
    return reinterpret_cast<Item*>(tv.lParam);
}

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
            // suggests for it.
            if (!created_) return 0;
            ApplyDpi(LOWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, Width(*suggested), Height(*suggested),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            LayoutControls();
            // In compact mode the window fits the bars at their new heights.
            // A size that did not change sends no WM_SIZE: the minimums are applied here.
            if (IsDown(ToolButton::Resize)) frm_->ShowToolBar2BtnClick();
            else frm_->FormResize();
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
            return 0;
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
                if (lParam == -1) ShowNodePopupAtSelection();
                else ShowNodePopup(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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
        case WM_CLOSE:
            if (frm_->FormCloseQuery()) DestroyWindow(Hwnd());
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            // The system may end the process at any moment after this returns, without
            // WM_DESTROY: the settings are written now. The window then goes as on closing,
            // so that the message loop ends and the single-instance guard is released.
            if (wParam) {
                KillTimer(Hwnd(), kTimerId);
                try {
                    frm_->FormEndSession();
                } catch (const std::exception& e) {
                    ReportException(e.what());
                }
                DestroyWindow(Hwnd());
            }
            return 0;
        case WM_DESTROY:
            KillTimer(Hwnd(), kTimerId);
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
            handles_.clear();
            return Default(msg, wParam, lParam);
        default:
            return Default(msg, wParam, lParam);
    }
}

bool MainWindow::OnQueryEndSession() {
    if (!frm_->dirty) return true;
    // Shown by the system beside the program while it holds the session up.
    std::wstring reason = FromCp932("保存されていない変更があります");
    ShutdownBlockReasonCreate(Hwnd(), reason.c_str());
    auto done = ScopeGuard([this] { ShutdownBlockReasonDestroy(Hwnd()); });
    return frm_->FormQueryEndSession();
}

void MainWindow::Command(int id) {
    TCV2Frm& f = *frm_;
    if (id >= kCmdIm00 && id < kCmdIm00 + 12) return f.Im11Click(id - kCmdIm00);
    if (id >= kCmdNoTabEnter && id <= kCmdEnter1) return f.NoTabEnterClick(id - kCmdNoTabEnter);
    if (id >= kCmdConvertMode0 && id < kCmdConvertMode0 + kConvertMenuModes) return f.ConvertModeClick(id - kCmdConvertMode0);
    switch (id) {
        case kCmdTabEnterMenu: return f.TabEnterBtnClick();
        case kCmdClickCheck: return f.ClickCheckClick();
        case kCmdNoHyphen: return f.NoHyphenClick();
        case kCmdTyping: return f.TypingClick();
        case kCmdAddNodeMenu: return f.AddNodeMenuClick();
        case kCmdAddChildMenu: return f.AddChildMenuClick();
        case kCmdFullExpandMenu: return f.FullExpandMenuClick();
        case kCmdFullCollapseMenu: return f.FullCollapseMenuClick();
        case kCmdEditTextMenu: return f.EditTextMenuClick();
        case kCmdDelNodeMenu: return f.DelNodeMenuClick();
        case kCmdAllDelNodeMenu: return f.AllDelNodeMenuClick();
        case kCmdWait1: return f.Wait1Click();
        case kCmdHelp1: return f.Help1Click();
        case kCmdAbout: return f.AboutClick();
        case kCmdResizeBtn: return f.ResizeBtnClick();
        case kCmdShowToolBar2Btn: return f.ShowToolBar2BtnClick();
        case kCmdPasteBtn: return f.PasteBtnClick();
        case kCmdTabEnterBtn: return f.TabEnterBtnClick();
        case kCmdNewBtn: return f.NewBtnClick();
        case kCmdOpenBtn: return f.OpenBtnClick();
        case kCmdSaveBtn: return f.SaveBtnClick();
        case kCmdNodeEditBtn: return f.AddNodeMenuClick();
        default: return;
    }
}

LRESULT MainWindow::OnNotify(NMHDR* header) {
    if (header->hwndFrom == tree_) return OnTreeNotify(header);
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
        if (tb->iItem == kCmdTabEnterBtn) ShowTabEnterPopup(below);
        else if (tb->iItem == kCmdNodeEditBtn) ShowNodePopup(below);
        return TBDDRET_DEFAULT;
    }
    return 0;
}

LRESULT MainWindow::OnTreeNotify(NMHDR* header) {
    switch (header->code) {
        case NM_CLICK:
            if (frm_->clickHandlerInstalled) frm_->MainTreeClick();
            return 0;
        case NM_DBLCLK:
            if (frm_->dblClickHandlerInstalled) frm_->MainTreeDblClick();
            // Non-zero keeps the control from toggling the item: items open and close only
            // through their +/- buttons.
            return TRUE;
        case TVN_ITEMEXPANDINGW: {
            if (mirroring_) return FALSE;
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            Item* item = reinterpret_cast<Item*>(tv->itemNew.lParam);
            bool expanding = (tv->action & TVE_EXPAND) != 0;
            if ((tv->action & TVE_TOGGLE) == TVE_TOGGLE)
                expanding = !(SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tv->itemNew.hItem),
                                           TVIS_EXPANDED) &
                              TVIS_EXPANDED);
            bool allowed = expanding ? frm_->MainTreeExpanding(item) : frm_->MainTreeCollapsing(item);
            return allowed ? FALSE : TRUE;
        }
        case TVN_ITEMEXPANDEDW: {
            if (mirroring_) return 0;
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            Item* item = reinterpret_cast<Item*>(tv->itemNew.lParam);
            if (!item) return 0;
            bool expanded = (SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(tv->itemNew.hItem),
                                          TVIS_EXPANDED) &
                             TVIS_EXPANDED) != 0;
            syncingModel_ = true;
            auto done = ScopeGuard([this] { syncingModel_ = false; });
            frm_->Tree().SetExpanded(item, expanded);
            return 0;
        }
        case TVN_BEGINDRAGW: {
            auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
            BeginDrag(tv->itemNew.hItem, tv->ptDrag);
            return 0;
        }
        case TVN_BEGINLABELEDITW:
            // No editing while an item is being dragged. An edit that the control starts by
            // itself (the second, slow click on the selected item) goes ahead only while this
            // window is in the foreground: after a click has sent the item, the target window
            // is, and an editor opening behind it would swallow the user's next click on the
            // tree and store the unchanged text as an edit.
            if (dragging_) return TRUE;
            return (editRequested_ || GetForegroundWindow() == Hwnd()) ? FALSE : TRUE;
        case TVN_ENDLABELEDITW: {
            auto* di = reinterpret_cast<NMTVDISPINFOW*>(header);
            if (!di->item.pszText) return FALSE;  // cancelled
            Item* item = ItemOf(di->item.hItem);
            frm_->MainTreeEdited(item, ToCp932(di->item.pszText));
            // The text is already stored (and shown) as the model has it.
            return FALSE;
        }
        default:
            return 0;
    }
}

LRESULT MainWindow::HandleControlMessage(HWND control, UINT_PTR id, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (control == tree_ && id == kTreeSubclassId) return TreeMessage(msg, wParam, lParam);
    return CallOriginal(control, msg, wParam, lParam);
}

LRESULT MainWindow::TreeMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (dragging_) {
        switch (msg) {
            case WM_MOUSEMOVE: {
                // The picture is hidden while the rows under it scroll or are repainted.
                if (dragImage_) ImageList_DragShowNolock(FALSE);
                RECT client;
                GetClientRect(tree_, &client);
                if (pt.y < metrics_.dragScrollMargin) SendMessageW(tree_, WM_VSCROLL, SB_LINEUP, 0);
                else if (pt.y > client.bottom - metrics_.dragScrollMargin)
                    SendMessageW(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
                TVHITTESTINFO hit{};
                hit.pt = pt;
                auto target = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0,
                                                                       reinterpret_cast<LPARAM>(&hit)));
                bool accepted = frm_->MainTreeDragOver(true);
                SendMessageW(tree_, TVM_SELECTITEM, TVGN_DROPHILITE,
                             reinterpret_cast<LPARAM>(accepted ? target : nullptr));
                if (dragImage_) {
                    UpdateWindow(tree_);
                    ImageList_DragMove(pt.x, pt.y);
                    ImageList_DragShowNolock(TRUE);
                }
                SetCursor(LoadCursorW(nullptr, accepted ? MAKEINTRESOURCEW(32512) : MAKEINTRESOURCEW(32648)));
                return 0;
            }
            case WM_LBUTTONUP:
                EndDrag(true, pt);
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_ESCAPE) EndDrag(false, pt);
                return 0;
            case WM_RBUTTONDOWN:
                EndDrag(false, pt);
                return 0;
            case WM_CAPTURECHANGED:
                EndDrag(false, pt);
                return 0;
            default:
                break;
        }
    }
    switch (msg) {
        case WM_MOUSEMOVE:
            frm_->MainTreeMouseMove(pt.x, pt.y);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
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
                return 0;
            }
            break;
        default:
            break;
    }
    return CallOriginal(tree_, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Drag and drop inside the tree

void MainWindow::BeginDrag(HTREEITEM handle, POINT point) {
    if (!handle) return;
    // The dragged item is the one the drop moves: it becomes the selection.
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(handle));
    dragging_ = true;
    SetCapture(tree_);
    // The item's picture follows the pointer.
    dragImage_.reset(TreeView_CreateDragImage(tree_, handle));
    RECT row{};
    if (dragImage_ && TreeView_GetItemRect(tree_, handle, &row, TRUE)) {
        ImageList_BeginDrag(dragImage_.get(), 0, point.x - row.left + metrics_.imageSide + metrics_.menuImageGap,
                             point.y - row.top);
        ImageList_DragEnter(tree_, point.x, point.y);
    }
}

void MainWindow::EndDrag(bool drop, POINT point) {
    if (!dragging_) return;
    dragging_ = false;
    if (dragImage_) {
        ImageList_DragLeave(tree_);
        ImageList_EndDrag();
        dragImage_.reset();
    }
    if (GetCapture() == tree_) ReleaseCapture();
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    if (drop && frm_->MainTreeDragOver(true)) frm_->MainTreeDragDrop(point.x, point.y);
}

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
        MenuEntry entry = kNodePopup[i];
        std::wstring caption = entry.caption ? FromCp932(entry.caption) : std::wstring();
        UINT state = MFS_ENABLED;
        HMENU sub = nullptr;
        switch (static_cast<NodeMenu>(i)) {
            case NodeMenu::TabEnterMenu:
                entry.image = tabEnterMenuImage_;
                caption = tabEnterMenuCaption_;
                break;
            case NodeMenu::ClickCheck:
                if (frm_->clickCheck) state |= MFS_CHECKED;
                break;
            case NodeMenu::ConvertMenu:
                sub = BuildConvertMenu();
                break;
            case NodeMenu::N1:
                sub = CreatePopupMenu();
                for (const MenuEntry& im : kImageMenu) AppendMenuEntry(sub, im, FromCp932(im.caption), 0, false, nullptr);
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
        bool checked = radio ? frm_->conversion.mode == i : false;
        if (e.id == kCmdNoHyphen) checked = frm_->conversion.noHyphen;
        if (e.id == kCmdTyping) checked = frm_->conversion.typing;
        AppendMenuEntry(menu, e, e.caption ? FromCp932(e.caption) : std::wstring(), checked ? MFS_CHECKED : MFS_UNCHECKED,
                        radio, nullptr);
    }
    return menu;
}

HMENU MainWindow::BuildTabEnterPopup() {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < static_cast<int>(kTabEnterPopup.size()); ++i) {
        const MenuEntry& e = kTabEnterPopup[i];
        UINT state = frm_->tabEnterIndex == i ? MFS_CHECKED : MFS_UNCHECKED;
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

// ---------------------------------------------------------------------------------------
// Mirroring the model in the tree control

void MainWindow::InsertTreeItem(Item& item) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = item.Parent() ? TreeItemOf(item.Parent()) : TVI_ROOT;
    // An item that comes after all its siblings the control holds goes in as TVI_LAST: the
    // control checks a given insert-after handle against every item it has, which made a
    // load quadratic. Loads and moved subtrees insert in order, so only an item added
    // in front of a sibling already shown names its previous sibling.
    Item* next = item.NextSibling();
    if (!next || !TreeItemOf(next)) {
        ins.hInsertAfter = TVI_LAST;
    } else {
        HTREEITEM prev = item.PrevSibling() ? TreeItemOf(item.PrevSibling()) : nullptr;
        ins.hInsertAfter = prev ? prev : TVI_FIRST;
    }
    std::wstring text = FromCp932(item.Text());
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    ins.item.pszText = text.data();
    ins.item.iImage = item.ImageIndex();
    ins.item.iSelectedImage = item.SelectedIndex();
    ins.item.lParam = reinterpret_cast<LPARAM>(&item);
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (!handle) throw InsertError();
    handles_[&item] = handle;
}

void MainWindow::SetTreeItemState(HTREEITEM handle, UINT state, UINT mask) {
    TVITEMW tv{};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.state = state;
    tv.stateMask = mask;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ItemAdded(Item& item) {
    if (!tree_) return;
    InsertTreeItem(item);
}

void MainWindow::ItemRemoving(Item& item) {
    if (!tree_) return;
    HTREEITEM handle = TreeItemOf(&item);
    for (Item* n = &item; n; n = NextInSubtree(n, &item)) handles_.erase(n);
    if (handle) SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::Clearing() {
    if (!tree_) return;
    handles_.clear();
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void MainWindow::SubtreeAdded(Item& item) {
    if (!tree_) return;
    // A load adds each top-level subtree in turn: one repaint when it is all there.
    HoldRedrawUntilIdle();
    for (Item* n = &item; n; n = NextInSubtree(n, &item)) InsertTreeItem(*n);
    // Expanded parents open once their children are there.
    mirroring_ = true;
    auto done = ScopeGuard([this] { mirroring_ = false; });
    for (Item* n = &item; n; n = NextInSubtree(n, &item))
        if (n->Expanded()) SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(TreeItemOf(n)));
}

void MainWindow::TextChanged(Item& item) {
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    std::wstring text = FromCp932(item.Text());
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = handle;
    tv.pszText = text.data();
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ImageChanged(Item& item) {
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    TVITEMW tv{};
    tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    tv.hItem = handle;
    tv.iImage = item.ImageIndex();
    tv.iSelectedImage = item.SelectedIndex();
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void MainWindow::ExpandedChanged(Item& item) {
    if (syncingModel_) return;  // the control made this change itself
    HTREEITEM handle = TreeItemOf(&item);
    if (!handle) return;
    // An item that lost its last child: TVM_EXPAND does nothing for an item without
    // children, so the state is cleared directly, and a child added later finds it closed.
    if (!item.HasChildren()) return SetTreeItemState(handle, 0, TVIS_EXPANDED);
    mirroring_ = true;
    auto done = ScopeGuard([this] { mirroring_ = false; });
    SendMessageW(tree_, TVM_EXPAND, item.Expanded() ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(handle));
}

// ---------------------------------------------------------------------------------------
// MainView

WindowHandle MainWindow::Handle() { return ToHandle(Hwnd()); }

Item* MainWindow::Selection() { return tree_ ? ItemOf(TreeView_GetSelection(tree_)) : nullptr; }

void MainWindow::Select(Item* item) {
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item ? TreeItemOf(item) : nullptr));
}

void MainWindow::StartEditing(Item* item) {
    HTREEITEM handle = TreeItemOf(item);
    if (!handle || dragging_) return;
    SetFocus(tree_);
    editRequested_ = true;
    auto done = ScopeGuard([this] { editRequested_ = false; });
    SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::MakeFirstVisible(Item* item) {
    if (HTREEITEM handle = TreeItemOf(item))
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(handle));
}

void MainWindow::HoldRedrawUntilIdle() {
    if (redrawHeld_) return;
    redrawHeld_ = true;
    SuspendTreeRedraw();
    PostMessageW(Hwnd(), kResumeRedrawMessage, 0, 0);
}

void MainWindow::SuspendTreeRedraw() {
    if (redrawSuspended_++ == 0 && tree_) SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
}

void MainWindow::ResumeTreeRedraw() {
    if (redrawSuspended_ > 0 && --redrawSuspended_ == 0 && tree_) {
        SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tree_, nullptr, TRUE);
    }
}

HitTest MainWindow::TreeHitTest(int x, int y) {
    TVHITTESTINFO info{};
    info.pt = POINT{x, y};
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    HitTest hit;
    hit.zones = HitZonesFromTreeFlags(info.flags);
    hit.item = ZonesInRow(hit.zones) ? ItemOf(handle) : nullptr;
    return hit;
}

Bounds MainWindow::GetBounds() {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    return Bounds{r.left, r.top, Width(r), Height(r)};
}

void MainWindow::SetBounds(const Bounds& b) {
    SetWindowPos(Hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowState MainWindow::GetState() {
    if (IsIconic(Hwnd())) return WindowState::Minimized;
    if (IsZoomed(Hwnd())) return WindowState::Maximized;
    return WindowState::Normal;
}

int MainWindow::ClientHeight() {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    return Height(r);
}

void MainWindow::SetClientHeight(int height) {
    RECT window{}, client{};
    GetWindowRect(Hwnd(), &window);
    GetClientRect(Hwnd(), &client);
    int outer = height + Height(window) - Height(client);
    SetWindowPos(Hwnd(), nullptr, 0, 0, Width(window), outer, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MainWindow::CoolBarHeight() {
    RECT r{};
    GetWindowRect(rebar_, &r);
    return Height(r);
}

int MainWindow::StatusBarHeight() {
    RECT r{};
    GetWindowRect(status_, &r);
    return Height(r);
}

int MainWindow::ButtonWidth() {
    RECT r{};
    if (SendMessageW(toolBar2_, TB_GETRECT, kCmdNewBtn, reinterpret_cast<LPARAM>(&r)) && Width(r) > 0) return Width(r);
    return metrics_.buttonWidth;
}

int MainWindow::DropDownWidth() {
    RECT r{};
    if (SendMessageW(toolBar1_, TB_GETRECT, kCmdTabEnterBtn, reinterpret_cast<LPARAM>(&r)) && Width(r) > 0)
        return Width(r);
    return metrics_.buttonWidth + ScaleForDpi(14, metrics_.dpi);
}

void MainWindow::SetToolBar2Visible(bool visible) {
    SendMessageW(rebar_, RB_SHOWBAND, 1, visible ? TRUE : FALSE);
    LayoutControls();
}

HWND MainWindow::ToolBarOf(ToolButton button, int* id) const {
    for (const ToolButtonEntry& e : kToolBar1)
        if (e.button == button) return *id = e.id, toolBar1_;
    for (const ToolButtonEntry& e : kToolBar2)
        if (e.button == button) return *id = e.id, toolBar2_;
    *id = 0;
    return nullptr;
}

bool MainWindow::IsDown(ToolButton button) {
    int id = 0;
    HWND bar = ToolBarOf(button, &id);
    return bar && SendMessageW(bar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}

void MainWindow::SetDown(ToolButton button, bool down) {
    int id = 0;
    if (HWND bar = ToolBarOf(button, &id)) SendMessageW(bar, TB_CHECKBUTTON, static_cast<WPARAM>(id), down);
}

void MainWindow::SetTabEnterButton(int image, const std::string& hint) {
    SendMessageW(toolBar1_, TB_CHANGEBITMAP, kCmdTabEnterBtn, MAKELPARAM(image, 0));
    hints_[kCmdTabEnterBtn] = FromCp932(hint);
}

void MainWindow::SetTabEnterMenu(int image, const std::string& caption) {
    tabEnterMenuImage_ = image;
    tabEnterMenuCaption_ = FromCp932(caption);
}

std::string MainWindow::StatusText() {
    auto length = LOWORD(SendMessageW(status_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(status_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return ToCp932(text);
}

void MainWindow::SetStatusText(const std::string& text) {
    std::wstring wide = FromCp932(text);
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void MainWindow::SetTimerEnabled(bool enabled) {
    if (enabled) SetTimer(Hwnd(), kTimerId, kTimerInterval, nullptr);
    else KillTimer(Hwnd(), kTimerId);
}

bool MainWindow::ShowWaitDialog(std::string& text) { return ShowOptionFrm(Hwnd(), text); }

void MainWindow::ShowAboutBox() { ::cv2::ShowAboutBox(Hwnd(), platform_.shell); }

bool MainWindow::ShowWizard(WizardInput& input) { return ShowNewInputFrm(Hwnd(), input); }

// ---------------------------------------------------------------------------------------
// Entry

int RunMainWindow(HINSTANCE instance, int showCommand, const std::vector<std::wstring>& args) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);

    Win32Platform ports;
    MainWindow window(instance, ports.platform);
    if (!window.Create(args)) return 1;
    window.Show(showCommand);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int RunMainWindow(HINSTANCE instance, int showCommand) {
    std::vector<std::wstring> args;
    int count = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return RunMainWindow(instance, showCommand, args);
}

}  // namespace cv2
