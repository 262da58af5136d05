#pragma once
// The main window's logic: its state and every handler, free of Win32. The Win32 window
// (CV2MainFrm_win.cpp) creates the controls, implements MainView and forwards each event
// to the handler of the same name here.
//
// The handlers live in one .cpp file per concern: EditCommands.cpp (the item tree),
// Layout.cpp (compact mode, minimum size, the popup menu), Sending.cpp (target tracking,
// sending, follow-up key, click mode), SettingsIo.cpp (settings files), StartUp.cpp,
// FileCommands.cpp, Wizard.cpp, WaitTime.cpp, Dialogs.cpp (about, help), HotKeys.cpp (the
// global hotkeys), Recovery.cpp, RecentFiles.cpp and UndoCommands.cpp.
#include <optional>
#include <string>
#include <vector>

#include "CV2MainFrm/MainView.h"
#include "HotKey/HotKeyFrm.h"
#include "CV2MainFrm/RecentFiles.h"
#include "base/ErrorReport.h"
#include "platform/Clipboard.h"
#include "platform/Desktop.h"
#include "platform/GlobalHotKeys.h"
#include "platform/KeyInput.h"
#include "base/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "send/Planner.h"
#include "send/SendConversion.h"
#include "send/SendEngine.h"
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
    Clock& clock;
    GlobalHotKeys& hotKeys;
};

inline constexpr const char* kNewItemText = "新規項目";
inline constexpr int kTitleBufferBytes = 256;

enum class MouseButton { Left, Right, Middle };

// The id each action's hotkey is registered under for the main window (WM_HOTKEY's wParam).
inline constexpr int kFirstHotKeyId = 0x0C20;
constexpr int HotKeyIdOf(HotKeyAction action) { return kFirstHotKeyId + static_cast<int>(action); }
// The action of a hotkey id; false for an id that is none of ours.
bool HotKeyActionOfId(int id, HotKeyAction& action);

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
    const HotKeySet& HotKeys() const { return hotKeys; }

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
    // The entries of SendWayMenu: the selection's own way of sending and follow-up key.
    void SendWayClick(SendWay way);
    void FollowUpChoiceClick(FollowUpChoice followUp);
    bool MainTreeDragOver(bool sourceIsTree);
    void MainTreeDragDrop(int x, int y);
    // A drop with Ctrl held: a copy of the selection goes where MainTreeDragDrop would move it.
    void MainTreeDragCopy(int x, int y);
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
    // Sends a text as an item with no choices of its own; SendItem sends the item with its own.
    void SendText(const std::string& text);
    void SendItem(const Item& item);
    void UpdateTabEnterButton();
    void ApplyClickMode();
    void TabEnterBtnClick();
    void NoTabEnterClick(int index);
    void ClickCheckClick();
    // `shift`: Shift was held at the press (the mouse message's own state); on an item with
    // children the gesture sends the children instead.
    void MainTreeClick(bool shift = false);
    void MainTreeDblClick(bool shift = false);
    // Sends the children of `parent` one after another.
    // `byShift`: started by the Shift gesture, whose Shift the user may still hold.
    void SendGroup(const Item& parent, bool byShift = false);
    void GroupSendMenuClick();
    // The entries of ConvertMenu.
    void ConvertModeClick(int mode);
    void NoHyphenClick();
    void TypingClick();
    // The clipboard asks for the text we offered (WM_RENDERFORMAT), the window is going while
    // the clipboard still holds it (WM_RENDERALLFORMATS), another program emptied it
    // (WM_DESTROYCLIPBOARD).
    void ClipboardRender(unsigned format);
    void ClipboardRenderAll();
    void ClipboardReleased();
    // Whether a click on our window must leave the target in front: it may still be taking
    // the keys of the last send, and would lose them to us.
    bool TargetKeepsTheKeyboard() { return engine_.TargetTakingKeys(); }
    // What a send of this moment is built from.
    SendSettings CurrentSendSettings();

    // ---- global hotkeys ----
    // A registered hotkey was pressed. Only in paste-into-target mode, and only while a
    // window of another program is in front.
    void HotKeyPressed(HotKeyAction action);
    // The hotkey dialog from the item menu.
    void HotKeyMenuClick();

    // ---- settings files ----
    void SaveSettings(const std::wstring& path);
    // What SaveSettings writes, into `ini`; false when it stopped part-way.
    bool WriteSettings(IniFile& ini);
    void LoadSettings(const std::wstring& path);
    // What LoadSettings applies, from `ini`.
    void ApplySettings(const IniFile& ini);
    std::string BuildExpandList();
    void LoadItemImages();
    void LoadItemImages(ItemTree& tree, const std::wstring& path);  // by position, from the settings of `path`
    // What each item keeps in the settings file (its icon), by position, from `ini`.
    void ApplyItemSettings(ItemTree& tree, const IniFile& ini);
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
    // Logoff or shutdown asks: true when the session may end. Both settings files are written
    // first, and the recovery file. Unsaved changes then get the same question as closing;
    // while a question is already open the answer is no. A critical end asks nothing.
    bool FormQueryEndSession(bool critical);
    // The session ends (`ending`), or goes on after all. An ending session ends the process
    // without the window's destruction, so its work (the settings files) is done now, and only once.
    void FormEndSession(bool ending);

    // ---- unsaved changes ----
    // Every change of the dirty flag comes through here: true after each change of the tree.
    // The shutdown block reason follows the flag; the recovery file is written within
    // kRecoveryDelayMs of a change while the flag is set, and removed when it is cleared.
    void SetDirty(bool unsaved);
    // The recovery timer ran out: the unsaved tree goes to the recovery file.
    void RecoveryTimerTimer();

    // ---- recent files ----
    const std::vector<std::wstring>& RecentFileList() const { return recent_.Paths(); }
    // The entries of the recent-files submenu, the current file checked.
    std::vector<RecentMenuEntry> RecentFilesMenu() const { return RecentMenuEntries(recent_, fileName); }
    // Open of the recent file at `index`; a file no longer there is offered for removal.
    void RecentFileClick(int index);

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

    void RunPlan(const Plan& plan);
    // The send a hotkey makes into the window in front: `item` is the selection (may be
    // null), `pressed` the key the user pressed to ask for it.
    void SendForHotKey(HotKeyAction action, const Item* item, const HotKey& pressed);
    // Registers the keys of the hotkeys while `on`, gives them all up otherwise; says once
    // which keys could not be registered.
    void SyncHotKeys(bool on);
    void ReadHotKeySettings(const IniFile& ini);
    void WriteHotKeySettings(IniFile& ini) const;
    // Opens the undo step of a command that is about to change the tree.
    TreeHistory::Recording RecordStep();
    // A history that a change past it has made stale is forgotten, as of the tree now.
    void SyncHistory();
    void StepThroughHistory(bool undo);
    // The selection's own way of sending and follow-up key, as one undo step.
    void SetSendChoice(SendWay way, FollowUpChoice followUp);
    // Sends the item under the pointer, when the last pointer movement was on an item;
    // the click gestures and MainTreeMouseDown's Ctrl+left press share it. With `group`,
    // an item that has children sends them instead.
    void SendPointerItem(bool group = false);
    // Where a drop at (x, y) puts the selection; false when it has no place.
    bool DropPlace(int x, int y, Item*& target, AttachMode& mode);

    // Open of `path`, or of a file picked in the open dialog when it is empty.
    void OpenUserFile(std::wstring path);
    // The recovery file: written within kRecoveryDelayMs of a change, and removed. It lies
    // beside the user file, or beside the executable when there is none.
    std::wstring RecoveryFile();
    void ScheduleRecovery();
    bool WriteRecovery();
    void DiscardRecovery();
    // At start-up: the tree a crash or a forced end left unsaved for `userFile` (empty: no
    // file), offered when its recovery file is newer; true with it in `into`.
    bool RecoverUnsavedTree(const std::wstring& userFile, ItemTree& into);
    // The file joins the recent files, which are stored at once.
    void NoteRecentFile(const std::wstring& path);
    // After the tree was written to `path`: its settings beside it, the recent files, the
    // history's saved point, and the dirty flag cleared, or (`keepDirty`, for the save
    // question, whose caller replaces the tree or closes) only the recovery file gone.
    void UserFileSaved(const std::wstring& path, bool keepDirty = false);

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
    HotKeySet hotKeys = DefaultHotKeys();
    HotKeySet registeredHotKeys{};        // what each action holds now; none when not registered
    std::vector<HotKey> reportedHotKeys;  // keys already said to be unavailable
    bool recoveryPending_ = false;        // the recovery timer runs
    std::wstring recoveryWritten_;        // the recovery file this session wrote last (or recovered)
    // Recovery files found at start-up that could not be read or put aside: never written
    // over or removed.
    std::vector<std::wstring> heldRecoveries_;
    std::optional<IniFile> recoveredSettings_;  // for FormShow, after a recovery
    RecentFiles recent_;

    MainView& view_;
    Platform& platform_;
    SendEngine engine_;
    ItemTree tree_;
    TreeHistory history_{tree_};
    TreeObserver* treeView_ = nullptr;
    bool asking_ = false;  // the save-changes question is open
};

}  // namespace cv2
