#pragma once
// What the main window's logic (TCV2Frm) needs of its window, in the program's own terms.
// The Win32 window implements it; tests use tests/support/FakeMainView.h.
//
// The view shows the item tree by observing it (ItemTree::SetObserver); the calls below
// are everything else: selection, geometry, tool buttons, status text, timer and the
// modal dialogs that belong to the main window: questions, error reports and the file
// dialogs included, so that each has the main window as its owner.
#include <array>
#include <string>
#include <vector>

#include "HotKey/HotKeyFrm.h"
#include "NewFrm/WizardInput.h"
#include "base/Types.h"
#include "tree/ItemTree.h"
#include "wingui/Monitors.h"

namespace cv2 {

// The buttons of a question; the answer is the button pressed, Cancel also when the box
// is closed without one.
enum class Choices { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

struct FileDialogSpec {
    std::string title;       // code page 932
    std::string filter;      // "description|pattern" pairs, code page 932
    std::string defaultExt;  // without the dot
    std::wstring initialDir;
    bool save = false;  // save dialog (overwrite prompt) or open dialog (file must exist)
};

enum class ToolButton { Resize, ShowToolBar2, Paste, TabEnter, New, Open, Save, NodeEdit };

enum class WindowState { Normal, Minimized, Maximized };

// Hit zones of a point of the tree control, as bits of a set.
enum HitZone : unsigned {
    kHitAbove = 0x001,
    kHitBelow = 0x002,
    kHitNowhere = 0x004,
    kHitOnItem = 0x008,
    kHitOnButton = 0x010,
    kHitOnIcon = 0x020,
    kHitOnIndent = 0x040,
    kHitOnLabel = 0x080,
    kHitOnRight = 0x100,
    kHitOnStateIcon = 0x200,
    kHitToLeft = 0x400,
    kHitToRight = 0x800,
};

struct HitTest {
    Item* item = nullptr;  // the item whose row holds the point, or null
    unsigned zones = 0;
};

// The entries of NodePopup, top to bottom; the z.. entries are separators. kNodePopup
// (Menus.h) gives each its command, caption, picture, when it is shown and its handler.
enum class NodeMenu {
    TabEnterMenu,
    GroupSendMenu,
    z001,
    ClickCheck,
    ConvertMenu,
    SendWayMenu,
    z002,
    UndoMenu,
    RedoMenu,
    AddNodeMenu,
    AddChildMenu,
    z003,
    FullExpandMenu,
    FullCollapseMenu,
    z004,
    EditTextMenu,
    N1,
    DelNodeMenu,
    AllDelNodeMenu,
    z005,
    RecentMenu,
    Wait1,
    HotKeyMenu,
    Z006,
    Help1,
    About,
};
inline constexpr int kNodeMenuCount = static_cast<int>(NodeMenu::About) + 1;
using NodeMenuVisibility = std::array<bool, kNodeMenuCount>;

// Unsaved changes reach the recovery file this long after the change at the latest.
inline constexpr int kRecoveryDelayMs = 8000;

class MainView {
public:
    virtual ~MainView() = default;

    virtual WindowHandle Handle() = 0;

    // ---- tree control ----
    virtual Item* Selection() = 0;
    virtual void Select(Item* item) = 0;
    virtual void StartEditing(Item* item) = 0;
    // Scrolls so that the item is the first visible row.
    virtual void MakeFirstVisible(Item* item) = 0;
    virtual void SuspendTreeRedraw() = 0;
    virtual void ResumeTreeRedraw() = 0;
    virtual HitTest TreeHitTest(int x, int y) = 0;

    // ---- window geometry ----
    virtual Bounds GetBounds() = 0;
    // Moves and sizes the window in one step; the size asked for holds even where the new
    // place is on a monitor of another resolution.
    virtual void SetBounds(const Bounds& bounds) = 0;
    // The display monitors with their work areas, as they are now.
    virtual std::vector<MonitorArea> Monitors() = 0;
    // The window's frame and caption above its client area.
    virtual int CaptionHeight() = 0;
    virtual WindowState GetState() = 0;
    virtual int ClientHeight() = 0;
    virtual void SetClientHeight(int height) = 0;
    virtual int CoolBarHeight() = 0;
    virtual int StatusBarHeight() = 0;
    virtual int ButtonWidth() = 0;    // a plain tool button (NewBtn)
    virtual int DropDownWidth() = 0;  // TabEnterBtn, with its arrow
    // A size designed at 96 dpi, at the resolution of the window's monitor.
    virtual int Scaled(int designedPixels) = 0;
    virtual void SetToolBar2Visible(bool visible) = 0;

    // ---- tool buttons, status bar, timer ----
    virtual bool IsDown(ToolButton button) = 0;
    virtual void SetDown(ToolButton button, bool down) = 0;
    virtual void SetTabEnterButton(int image, const std::string& hint) = 0;
    virtual void SetTabEnterMenu(int image, const std::string& caption) = 0;
    virtual std::string StatusText() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    // The recovery timer: TCV2Frm::RecoveryTimerTimer every kRecoveryDelayMs while it runs.
    virtual void SetRecoveryTimer(bool enabled) = 0;
    // The reason the system shows for the program when a logoff or shutdown waits for it;
    // empty when the program holds up nothing.
    virtual void SetShutdownReason(const std::string& reason) = 0;

    // ---- modal dialogs of the main window ----
    // A question with the exclamation icon. Texts are code page 932.
    virtual Answer Ask(const std::string& text, const std::string& caption, Choices choices) = 0;
    // A message with the error icon and an OK button.
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
    // The open or save dialog with `fileName` as the initial name; on OK puts the chosen
    // path there and returns true.
    virtual bool RunFileDialog(const FileDialogSpec& spec, std::wstring& fileName) = 0;
    // The wait-time dialog with `text` in its field; true for OK, with the field's text.
    virtual bool ShowWaitDialog(std::string& text) = 0;
    // The hotkey dialog with `keys` in its fields; true for OK, with the keys it took.
    virtual bool ShowHotKeyDialog(HotKeySet& keys) = 0;
    virtual void ShowAboutBox() = 0;
    // The new-user wizard; true for OK, with what was entered.
    virtual bool ShowWizard(WizardInput& input) = 0;
};

}  // namespace cv2
