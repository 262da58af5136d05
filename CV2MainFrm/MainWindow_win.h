#pragma once
// The Win32 main window: the frame, the cool bar with both toolbars, the status bar, the
// tree control and the two popup menus. It shows the item tree (through TreeControl, which
// keeps the Item* <-> HTREEITEM map), implements MainView for TCV2Frm and forwards every
// event to the TCV2Frm handler of the same name.
//
// Usage:
//   MainWindow window(instance, platform, ime);
//   if (!window.Create(args)) return 1;
//   window.Show(SW_SHOWNORMAL);
//   ... message loop ...
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CV2MainFrm/CV2MainFrm.h"
#include "wingui/Dpi.h"
#include "CV2MainFrm/Menus.h"
#include "wingui/Window_win.h"
#include "platform/Handle_win.h"
#include "platform/Ime.h"
#include "wingui/TreeControl_win.h"

namespace cv2 {

// The class name other instances look for to hand over to this one.
inline constexpr wchar_t kMainWindowClassW[] = L"TCV2Frm";

class MainWindow : public WindowBase, public MainView, private TreeObserver, private TreeControlEvents {
public:
    // `ime` is the input method the new-user wizard switches; `platform` and `ime` outlive the window.
    MainWindow(HINSTANCE instance, Platform& platform, Ime& ime);
    ~MainWindow() override;

    // Creates the window and its controls; FormCreate runs inside. False when the window
    // could not be made.
    bool Create(const std::vector<std::wstring>& args);
    // Shows the window; the first time, FormShow runs just before it becomes visible.
    void Show(int showCommand);

    TCV2Frm& Frm() { return *frm_; }
    // Whether closing the window ends the message loop (tests keep their own loop).
    bool quitOnDestroy = true;
    HWND TreeControl() const { return tree_; }
    HWND CoolBar() const { return rebar_; }
    HWND ToolBar1() const { return toolBar1_; }
    HWND ToolBar2() const { return toolBar2_; }
    HWND StatusBar() const { return status_; }
    HIMAGELIST Images() const { return images_.get(); }
    // The resolution the window is laid out for.
    int Dpi() const { return metrics_.dpi; }
    // The tree item that shows `item`, or null.
    HTREEITEM TreeItemOf(const Item* item) const { return treeControl_.HandleOf(item); }

    // NodePopup as it would open now (NodePopupPopup applied); the caller owns the menu.
    HMENU BuildNodePopup();
    HMENU BuildConvertMenu();
    HMENU BuildSendWayMenu();
    HMENU BuildTabEnterPopup();
    HMENU BuildRecentMenu();
    // Carries out a menu or tool-button command.
    void Command(int id);

    // ---- MainView ----
    WindowHandle Handle() override;
    Item* Selection() override;
    void Select(Item* item) override;
    void StartEditing(Item* item) override;
    void MakeFirstVisible(Item* item) override;
    void SuspendTreeRedraw() override;
    void ResumeTreeRedraw() override;
    HitTest TreeHitTest(int x, int y) override;
    Bounds GetBounds() override;
    void SetBounds(const Bounds& bounds) override;
    std::vector<MonitorArea> Monitors() override;
    int CaptionHeight() override;
    WindowState GetState() override;
    int ClientHeight() override;
    void SetClientHeight(int height) override;
    int CoolBarHeight() override;
    int StatusBarHeight() override;
    int ButtonWidth() override;
    int DropDownWidth() override;
    int Scaled(int designedPixels) override { return ScaleForDpi(designedPixels, metrics_.dpi); }
    void SetToolBar2Visible(bool visible) override;
    bool IsDown(ToolButton button) override;
    void SetDown(ToolButton button, bool down) override;
    void SetTabEnterButton(int image, const std::string& hint) override;
    void SetTabEnterMenu(int image, const std::string& caption) override;
    std::string StatusText() override;
    void SetStatusText(const std::string& text) override;
    void SetTimerEnabled(bool enabled) override;
    void SetRecoveryTimer(bool enabled) override;
    void SetShutdownReason(const std::string& reason) override;
    Answer Ask(const std::string& text, const std::string& caption, Choices choices) override;
    void ShowError(const std::string& text, const std::string& caption) override;
    bool RunFileDialog(const FileDialogSpec& spec, std::wstring& fileName) override;
    bool ShowWaitDialog(std::string& text) override;
    bool ShowHotKeyDialog(HotKeySet& keys) override;
    void ShowAboutBox() override;
    bool ShowWizard(WizardInput& input) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ReportException(const std::string& sjisMessage) override;

private:
    // ---- TreeObserver: mirroring the model ----
    void ItemAdded(Item& item) override;
    void ItemRemoving(Item& item) override;
    void Clearing() override;
    void SubtreeAdded(Item& item) override;
    void TextChanged(Item& item) override;
    void ImageChanged(Item& item) override;
    void ExpandedChanged(Item& item) override;

    // ---- TreeControlEvents: what the user does in the tree ----
    void TreeClick() override;
    bool TreeDoubleClick() override;
    bool TreeExpanding(TreeKey key, bool expanding) override;
    void TreeExpanded(TreeKey key, bool expanded) override;
    void TreeBeginDrag(TreeKey key, POINT point) override;
    bool TreeBeginLabelEdit(TreeKey key, bool requested) override;
    void TreeEndLabelEdit(TreeKey key, const std::wstring& text) override;
    bool TreeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void TreeFailed(const std::string& sjisMessage) override;

    bool CreateControls();
    HWND CreateToolBar(const ToolButtonEntry* entries, int count, int height);
    // Pictures, buttons and size of a toolbar at the current resolution.
    void SizeToolBar(HWND bar, int height);
    void SetStatusBarHeight();
    // Everything sized anew for another resolution; the window's own size is the caller's.
    void ApplyDpi(int dpi);
    void ApplyFont();
    void LayoutControls();
    LRESULT OnNotify(NMHDR* header);
    // Ctrl+Z and Ctrl+Y: undo and redo; true when the key was one of them.
    bool HistoryKey(WPARAM key);
    void ShowNodePopup(POINT screen);
    void ShowNodePopupAtSelection();
    void ShowTabEnterPopup(POINT screen);
    void InsertTreeItem(Item& item);
    // While the user drags an item: the pointer moved, or the drag ended; true when the
    // message was the drag's.
    bool DragMessage(UINT msg, WPARAM wParam, POINT point);
    // Holds the tree's repainting until the messages queued now are handled.
    void HoldRedrawUntilIdle();
    // The drag ends; a drop moves the selection there, or copies it with `copy`.
    void EndDrag(bool drop, POINT point, bool copy = false);
    // The pointer while dragging: refused, moving or copying.
    void SetDragCursor(bool accepted, bool copy);
    HWND ToolBarOf(ToolButton button, int* id) const;
    void AppendMenuEntry(HMENU menu, const MenuEntry& entry, const std::wstring& caption, UINT state, bool radio,
                         HMENU subMenu);

    HINSTANCE instance_;
    Platform& platform_;
    Ime& ime_;
    std::unique_ptr<TCV2Frm> frm_;
    MainMetrics metrics_ = MainMetricsFor(kDesignDpi);
    UniqueImageList images_;
    UniqueFont font_;
    HWND rebar_ = nullptr;
    HWND toolBar1_ = nullptr;
    HWND toolBar2_ = nullptr;
    HWND status_ = nullptr;
    HWND tree_ = nullptr;
    cv2::TreeControl treeControl_{*this};
    std::map<int, std::wstring> hints_;  // tooltip texts by command id
    int tabEnterMenuImage_ = 2;
    std::wstring tabEnterMenuCaption_;
    int redrawSuspended_ = 0;
    int resizeDepth_ = 0;
    const Bounds* movingTo_ = nullptr;  // the place SetBounds is putting the window, while it does
    bool created_ = false;
    bool shown_ = false;
    bool syncingModel_ = false;  // the model follows an expansion the user made in the control
    bool dragging_ = false;
    bool pressShift_ = false;  // Shift was held at the last left press in the tree
    bool reporting_ = false;
    bool redrawHeld_ = false;
    UniqueImageList dragImage_;
    UniqueIcon copyCursor_;  // made at the first drag that copies
};

}  // namespace cv2
