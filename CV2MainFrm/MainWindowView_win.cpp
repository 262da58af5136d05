// The main window's view of its geometry, its bars, its timer and its modal dialogs.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "About/AboutBox_win.h"
#include "wingui/Dpi.h"
#include "wingui/Dpi_win.h"
#include "CV2MainFrm/HitZones.h"
#include "wingui/ImageList_win.h"
#include "wingui/Monitors_win.h"
#include "CV2MainFrm/MainWindow_win.h"
#include "CV2MainFrm/MainWindowParts_win.h"
#include "HotKey/HotKeyFrm_win.h"
#include "NewFrm/NewInputFrm_win.h"
#include "Option/OptionFrm_win.h"
#include "base/Cp932.h"
#include "platform/FileFilter.h"
#include "platform/Win32Ports.h"
#include "base/Error.h"

namespace cv2 {

using namespace mainwindow;

namespace {

// Room for long paths ("\\?\" and beyond MAX_PATH), which the Explorer-style dialogs return.
constexpr std::size_t kPathBufferChars = 32768;

// OFN_NOCHANGEDIR: the current folder stays where the program started, whatever folder the
// user browses to.
constexpr DWORD kOpenFlags =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
constexpr DWORD kSaveFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;

}  // namespace

Bounds MainWindow::GetBounds() {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    return Bounds{r.left, r.top, Width(r), Height(r)};
}

void MainWindow::SetBounds(const Bounds& b) {
    const Bounds place = b;
    const Bounds* outer = std::exchange(movingTo_, &place);
    auto done = ScopeGuard([this, outer] { movingTo_ = outer; });
    SetWindowPos(Hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<MonitorArea> MainWindow::Monitors() { return DisplayMonitors(); }

int MainWindow::CaptionHeight() {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    POINT client{0, 0};
    ClientToScreen(Hwnd(), &client);
    const int height = client.y - window.top;
    // A minimised window has no client area where its frame would have it.
    if (IsIconic(Hwnd()) || height <= 0) return GetSystemMetrics(SM_CYCAPTION);
    return height;
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
    if (enabled)
        SetTimer(Hwnd(), kTimerId, kTimerInterval, nullptr);
    else
        KillTimer(Hwnd(), kTimerId);
}

void MainWindow::SetRecoveryTimer(bool enabled) {
    if (enabled)
        SetTimer(Hwnd(), kRecoveryTimerId, kRecoveryDelayMs, nullptr);
    else
        KillTimer(Hwnd(), kRecoveryTimerId);
}

void MainWindow::SetShutdownReason(const std::string& reason) {
    // The system shows the reason beside the program while a logoff or shutdown waits for
    // it; the program still answers WM_QUERYENDSESSION itself.
    if (reason.empty())
        ShutdownBlockReasonDestroy(Hwnd());
    else
        ShutdownBlockReasonCreate(Hwnd(), FromCp932(reason).c_str());
}

Answer MainWindow::Ask(const std::string& text, const std::string& caption, Choices choices) {
    const UINT buttons = choices == Choices::YesNo ? MB_YESNO : MB_YESNOCANCEL;
    switch (MessageBoxW(Hwnd(), FromCp932(text).c_str(), FromCp932(caption).c_str(), buttons | MB_ICONEXCLAMATION)) {
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void MainWindow::ShowError(const std::string& text, const std::string& caption) {
    MessageBoxW(Hwnd(), FromCp932(text).c_str(), FromCp932(caption).c_str(), MB_OK | MB_ICONERROR);
}

bool MainWindow::RunFileDialog(const FileDialogSpec& spec, std::wstring& fileName) {
    std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
    // An initial name too long for the buffer is left out rather than cut.
    if (fileName.size() < buffer.size()) fileName.copy(buffer.data(), fileName.size());
    // The filter holds NULs; the conversion keeps them since it goes by length.
    const std::wstring filter = FromCp932(FileDialogFilter(spec.filter));
    const std::wstring title = FromCp932(spec.title);
    const std::wstring defaultExt = FromCp932(spec.defaultExt);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Hwnd();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = spec.initialDir.empty() ? nullptr : spec.initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = spec.save ? kSaveFlags : kOpenFlags;

    const BOOL ok = spec.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    fileName.assign(buffer.data());
    return true;
}

bool MainWindow::ShowWaitDialog(std::string& text) { return ShowOptionFrm(Hwnd(), text); }

bool MainWindow::ShowHotKeyDialog(HotKeySet& keys) { return ShowHotKeyFrm(Hwnd(), keys); }

void MainWindow::ShowAboutBox() { ::cv2::ShowAboutBox(Hwnd(), platform_.shell); }

bool MainWindow::ShowWizard(WizardInput& input) { return ShowNewInputFrm(Hwnd(), input, platform_.locale, ime_); }

}  // namespace cv2
