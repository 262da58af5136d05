// The main window: construction, its controls and their layout, and the program's run.
#include "CV2MainFrm/CV2MainFrm_win.h"

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

static_assert(kTvhtNowhere == TVHT_NOWHERE && kTvhtOnItemIcon == TVHT_ONITEMICON &&
              kTvhtOnItemLabel == TVHT_ONITEMLABEL && kTvhtOnItemIndent == TVHT_ONITEMINDENT &&
              kTvhtOnItemButton == TVHT_ONITEMBUTTON && kTvhtOnItemRight == TVHT_ONITEMRIGHT &&
              kTvhtOnItemStateIcon == TVHT_ONITEMSTATEICON && kTvhtAbove == TVHT_ABOVE && kTvhtBelow == TVHT_BELOW &&
              kTvhtToRight == TVHT_TORIGHT && kTvhtToLeft == TVHT_TOLEFT);

namespace {

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

}  // namespace

// ---------------------------------------------------------------------------------------
// Construction

Win32Platform::Win32Platform()
    : desktop(MakeWin32Desktop()),
      keys(MakeWin32KeyInput()),
      clipboard(MakeWin32Clipboard()),
      files(MakeWin32FileSystem()),
      dialogs(MakeWin32Dialogs()),
      shell(MakeWin32Shell()),
      locale(MakeWin32Locale()),
      platform{*desktop, *keys, *clipboard, *files, *dialogs, *shell, *locale} {}

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
    if (!RegisterWindowClass(instance_, kMainWindowClassW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             LoadIconW(instance_, MAKEINTRESOURCEW(1))))
        return false;
    HWND hwnd = CreateWindowFor(
        WS_EX_TOPMOST, kMainWindowClassW, FromCp932(kAppTitle).c_str(),
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN, metrics_.designLeft,
        metrics_.designTop, metrics_.designWidth, metrics_.designHeight, nullptr, instance_);
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

    rebar_ =
        CreateWindowExW(0, REBARCLASSNAMEW, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS |
                            CCS_NODIVIDER | CCS_TOP,
                        0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)), instance_, nullptr);
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

    tree_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                            TVS_EDITLABELS | TVS_NONEVENHEIGHT,
                        0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), instance_, nullptr);
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

}  // namespace cv2
