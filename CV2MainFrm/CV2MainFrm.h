#pragma once
// The main window's logic: its state and every handler, free of Win32. The Win32 window
// (CV2MainFrm_win.cpp) creates the controls, implements MainView and forwards each event
// to the handler of the same name here.
//
// The handlers live in one .cpp file per concern: EditCommands.cpp (the item tree),
// Layout.cpp (compact mode, minimum size, the popup menu), Sending.cpp (target tracking,
// sending, follow-up key, click mode), SettingsIo.cpp (settings files), StartUp.cpp,
// FileCommands.cpp, Wizard.cpp, WaitTime.cpp, Dialogs.cpp (about, help), UndoCommands.cpp.
#include <string>
#include <vector>

#include "CV2MainFrm/MainView.h"
#include "base/ErrorReport.h"
#include "CV2MainFrm/SendConversion.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/KeyInput.h"
#include "base/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "settings/Ini.h"
#include "tree/ItemTree.h"
#include "tree/TreeHistory.h"

namespace cv2 {

// The ports the main window talks to the system through.
struct Platform {
    Desktop& desktop;
    KeyInput& keys;
    Clipboard& clipboard;
    FileSystem& files;
    Shell& shell;
    Locale& locale;
};

inline constexpr const char* kNewItemText = "新規項目";
inline constexpr int kTitleBufferBytes = 256;

enum class MouseButton { Left, Right, Middle };

class TCV2Frm : private TreeObserver {
public:
    TCV2Frm(MainView& view, Platform& platform);
    ~TCV2Frm() override;
    TCV2Frm(const TCV2Frm&) = delete;
    TCV2Frm& operator=(const TCV2Frm&) = delete;

    ItemTree& Tree() { return tree_; }
    // The view mirrors the tree: it registers here instead of on the tree, so that the
    // main window hears of removals first (the pointer record must forget them).
    void SetTreeView(TreeObserver* observer) { treeView_ = observer; }

    // ---- what the view and tests read of the state ----
    const std::wstring& FileName() const { return fileName; }  // empty: no user file
    bool Dirty() const { return dirty; }
    Item* PointerItem() const { return pointerItem; }
    unsigned PointerHits() const { return pointerHits; }
    bool ExpandAllowed() const { return expandAllowed; }
    int SavedWidth() const { return savedWidth; }
    int SavedHeight() const { return savedHeight; }
    bool SavedToolBar2() const { return savedToolBar2; }
    WindowHandle TargetWindow() const { return targetWindow; }
    int WaitTime() const { return waitTime; }
    int TabEnterIndex() const { return tabEnterIndex; }
    bool ClickCheck() const { return clickCheck; }
    bool ClickHandlerInstalled() const { return clickHandlerInstalled; }
    bool DblClickHandlerInstalled() const { return dblClickHandlerInstalled; }
    const SendConversion& Conversion() const { return conversion; }
    const std::wstring& OpenInitialDir() const { return openInitialDir; }
    const std::wstring& SaveInitialDir() const { return saveInitialDir; }
    const std::wstring& SaveDialogName() const { return saveDialogName; }

    // ---- the item tree and its commands ----
    void AddNodeMenuClick();
    void AddChildMenuClick();
    void DelNodeMenuClick();
    void AllDelNodeMenuClick();
    void EditTextMenuClick();
    // The user accepted an in-place edit; returns the text stored.
    std::string MainTreeEdited(Item* item, const std::string& newText);
    void FullExpandMenuClick();
    void FullCollapseMenuClick();
    void Im11Click(int imageIndex);
    bool MainTreeDragOver(bool sourceIsTree);
    void MainTreeDragDrop(int x, int y);
    void MainTreeMouseMove(int x, int y);
    bool MainTreeExpanding(Item* item);
    bool MainTreeCollapsing(Item* item);
    void MainTreeMouseDown(MouseButton button, bool ctrl, int x, int y);
    // The gate through which every expansion and collapse of the tree passes.
    ExpandGate Gate();

    // ---- undo and redo of the commands that change the tree ----
    void UndoMenuClick();
    void RedoMenuClick();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // A command has just put a new subtree (a copy) into the tree: one step that takes it
    // out again, or a part of the step of the command that records it already.
    void RecordInsertedSubtree(Item* root);

    // ---- layout, compact mode, popup menu ----
    // The window moved to a monitor of another resolution.
    void FormDpiChanged(int oldDpi, int newDpi);
    int MinimumWidth();
    int CompactClientHeight();
    void FormResize();
    void ShowToolBar2BtnClick();
    void ResizeBtnClick();
    NodeMenuVisibility NodePopupPopup();

    // ---- target tracking and sending ----
    void Timer1Timer();
    void PasteBtnClick();
    void SendText(const std::string& text);
    void PressFollowUpKey();
    void UpdateTabEnterButton();
    void ApplyClickMode();
    void TabEnterBtnClick();
    void NoTabEnterClick(int index);
    void ClickCheckClick();
    void MainTreeClick();
    void MainTreeDblClick();
    // The entries of ConvertMenu.
    void ConvertModeClick(int mode);
    void NoHyphenClick();
    void TypingClick();

    // ---- settings files ----
    void SaveSettings(const std::wstring& path);
    void LoadSettings(const std::wstring& path);
    std::string BuildExpandList();
    void LoadItemImages();
    void LoadItemImages(ItemTree& tree, const std::wstring& path);  // by position, from the settings of `path`
    void FormDestroy();
    // Remembers whether the settings file just loaded could be read.
    void NoteSettingsRead(const std::wstring& file, const IniFile& ini);

    // ---- start-up ----
    void FormCreate(const std::vector<std::wstring>& args);
    void FormShow();

    // ---- file commands ----
    bool QuerySaveChanges();
    void SaveBtnClick();
    void OpenBtnClick();
    void NewBtnClick();
    bool FormCloseQuery();
    // Logoff or shutdown asks: true when the session may end. Unsaved changes get the same
    // question as closing; while a question is already open the answer is no.
    bool FormQueryEndSession();
    // The session ends: the process is about to be ended without the window's destruction,
    // so its work (the settings files) is done now, and only once.
    void FormEndSession();

    // ---- wizard ----
    bool RunNewUserWizard(std::wstring& path);

    // ---- small dialogs ----
    void Wait1Click();
    void AboutClick();
    void Help1Click();

    // The general error report: the message in a box captioned with the application
    // title, "." appended when its last byte sorts above ".".
    void ReportError(const std::string& message);

    // File dialogs of the main window; true with the chosen path.
    bool RunOpenDialog(std::wstring& path);
    bool RunSaveDialog(std::wstring& path);

    // Only for tests: a session that has `file` open, with unsaved changes or not, as
    // opening it and editing would leave it, without the file or the edits.
    void SetDocumentForTest(const std::wstring& file, bool unsaved);

private:
    // TreeObserver: forwards to the view, keeping the pointer record honest.
    void ItemAdded(Item& item) override;
    void ItemRemoving(Item& item) override;
    void Clearing() override;
    void SubtreeAdded(Item& item) override;
    void TextChanged(Item& item) override;
    void ImageChanged(Item& item) override;
    void ExpandedChanged(Item& item) override;

    // Every write of the dirty flag goes through here.
    void SetDirty(bool value) { dirty = value; }
    // Opens the undo step of a command that is about to change the tree.
    TreeHistory::Recording RecordStep();
    // A history that a change past it has made stale is forgotten, as of the tree now.
    void SyncHistory();
    void StepThroughHistory(bool undo);

    void WriteClipboardText(const std::string& text);
    // Sends the item under the pointer, when the last pointer movement was on an item;
    // the click gestures and MainTreeMouseDown's Ctrl+left press share it.
    void SendPointerItem();

    std::wstring fileName;  // current user file; empty: none
    bool dirty = false;
    Item* pointerItem = nullptr;  // item under the pointer at the last movement
    unsigned pointerHits = 0;     // hit set there
    bool expandAllowed = false;
    int savedWidth = 0;
    int savedHeight = 0;
    bool savedToolBar2 = false;
    WindowHandle targetWindow = 0;
    int waitTime = 0;                      // milliseconds
    int tabEnterIndex = 0;                 // checked entry of TabEnterPopup: 0 none, 1 Tab, 2 Enter; -1 none checked
    bool clickCheck = false;               // single-click mode
    bool clickHandlerInstalled = true;     // MainTreeClick sends
    bool dblClickHandlerInstalled = true;  // MainTreeDblClick sends
    SendConversion conversion;             // how the text of a send is fitted to the form
    std::wstring openInitialDir;
    std::wstring saveInitialDir;
    std::wstring saveDialogName = L"新規ﾕｰｻﾞｰ";
    // Settings files that were there but could not be read when last loaded (another program
    // held them): SaveSettings leaves them alone.
    std::vector<std::wstring> unreadSettings;
    bool sessionEnded = false;

    MainView& view_;
    Platform& platform_;
    ItemTree tree_;
    TreeHistory history_{tree_};
    TreeObserver* treeView_ = nullptr;
    bool asking_ = false;  // the save-changes question is open
};

}  // namespace cv2
