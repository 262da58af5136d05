// Save, Open, New and closing, with the question whether to save unsaved changes first.
#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"
#include "base/Cp932.h"
#include "base/Path.h"
#include "tree/UserFile.h"

namespace cv2 {
namespace {

// The prompt's caption differs from the window's title; it is what users have always seen.
constexpr const char* kPromptCaption = "Corvel2！";
constexpr const char* kUserFileFilter = "ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)|*.cv2";
constexpr const char* kUserFileExt = "cv2";

}  // namespace

bool TCV2Frm::QuerySaveChanges() {
    if (!dirty) return true;
    asking_ = true;
    // Lowers the flag on every way out of the question, errors included.
    class Done {
    public:
        explicit Done(bool& flag) : flag_(flag) {}
        ~Done() { flag_ = false; }
        Done(const Done&) = delete;
        Done& operator=(const Done&) = delete;

    private:
        bool& flag_;
    } done(asking_);
    const std::string text = fileName.empty()
                                 ? std::string("無題は変更されています。保存しますか？")
                                 : ToCp932(ExtractFileName(fileName)) + " は変更されています。\n\r変更を保存しますか？";
    const Answer answer = view_.Ask(text, kPromptCaption, Choices::YesNoCancel);
    if (answer == Answer::No) {
        // The changes are given up: so is their recovery file.
        DiscardRecovery();
        return true;
    }
    if (answer != Answer::Yes) return false;

    std::wstring target = fileName;
    if (target.empty() && !RunSaveDialog(target)) return false;
    try {
        SaveUserFile(platform_.files, target, tree_);
    } catch (const std::exception&) {
        view_.ShowError(ToCp932(target) + "\n\rを保存出来ませんでした。", "エラー");
        return false;
    }
    // Icons live only in the settings file: without it a tree saved here would come back
    // without them.
    UserFileSaved(target, true);
    return true;
}

void TCV2Frm::SaveBtnClick() {
    std::wstring path;
    if (!RunSaveDialog(path)) return;
    try {
        SaveUserFile(platform_.files, path, tree_);
    } catch (const std::exception&) {
        return;  // the Save command fails silently; tree, file name and dirty flag stay
    }
    fileName = path;
    UserFileSaved(path);
}

void TCV2Frm::UserFileSaved(const std::wstring& path, bool keepDirty) {
    SaveSettings(path);
    if (keepDirty)
        DiscardRecovery();
    else
        SetDirty(false);
    NoteRecentFile(path);
    history_.MarkSaved();
}

void TCV2Frm::OpenBtnClick() { OpenUserFile({}); }

void TCV2Frm::OpenUserFile(std::wstring path) {
    if (!QuerySaveChanges()) return;
    // Unsaved changes still in the window when the command stops get their recovery file back.
    struct KeepRecovery {
        TCV2Frm& frm;
        ~KeepRecovery() {
            if (frm.dirty) frm.ScheduleRecovery();
        }
    } keep{*this};
    if (path.empty() && !RunOpenDialog(path)) return;
    if (!fileName.empty()) SaveSettings(fileName);

    // A file that cannot be read, or stops at a bad level, changes nothing: the tree
    // shown stays bound to the file it came from.
    ItemTree loaded;
    try {
        LoadUserFile(platform_.files, path, loaded);
    } catch (const std::exception&) {
        return;
    }
    // The icons go onto the items before the control gets them, as at start-up.
    LoadItemImages(loaded, path);
    try {
        RedrawSuspension redraw(view_);
        tree_.ReplaceWith(loaded);
    } catch (...) {
        // The window could not show all of it: what it shows is part of the new file and
        // belongs to no file, so neither file's settings nor a save can mix them up.
        fileName.clear();
        SetDirty(true);
        history_.Clear(false);
        throw;
    }
    SetDirty(false);
    history_.Clear(true);
    fileName = path;
    LoadSettings(path);
    NoteRecentFile(path);
}

void TCV2Frm::RecentFileClick(int index) {
    const std::vector<std::wstring>& list = recent_.Paths();
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    const std::wstring path = list[static_cast<std::size_t>(index)];
    if (!platform_.files.IsAbsent(path)) return OpenUserFile(path);
    const std::string question =
        "「" + ToCp932(path) + "」が見つかりません。" + "\n\r" + "最近使ったファイルの一覧から削除しますか？";
    if (view_.Ask(question, "最近使ったファイル", Choices::YesNo) != Answer::Yes) return;
    recent_.Remove(path);
    NoteRecentFile({});
}

void TCV2Frm::NoteRecentFile(const std::wstring& path) {
    recent_.Add(path);
    // Into the executable's settings file at once, so that neither a crash nor another
    // start's list loses the file.
    const std::wstring file = SettingsFileOf(platform_.files.ModulePath());
    IniFile ini = IniFile::Load(platform_.files, file);
    if (ini.Unreadable()) return;
    recent_.Write(ini);
    if (ini.Changed()) ini.Save(platform_.files, file);
}

void TCV2Frm::NewBtnClick() {
    if (!QuerySaveChanges()) return;
    // The wizard's tree is the first step of the new file's history.
    history_.Clear(!dirty);
    std::wstring path;
    RunNewUserWizard(path);
    fileName = path;
    if (dirty) ScheduleRecovery();
}

bool TCV2Frm::FormCloseQuery() { return QuerySaveChanges(); }

bool TCV2Frm::FormQueryEndSession(bool critical) {
    // Windows may end the process while the question below is open ("Shut down anyway"):
    // what would be written at the end is written now.
    SaveSettings(platform_.files.ModulePath());
    if (!fileName.empty()) SaveSettings(fileName);
    WriteRecovery();
    // A critical end asks no one: the unsaved tree waits in its recovery file.
    if (critical) return true;
    // The question open already (from closing, Open or New) cannot be answered for the user.
    if (asking_) return false;
    return QuerySaveChanges();
}

void TCV2Frm::FormEndSession(bool ending) {
    if (!ending) {
        // Another program refused: the session goes on with whatever is unsaved.
        if (dirty) ScheduleRecovery();
        return;
    }
    if (sessionEnded) return;
    FormDestroy();
    sessionEnded = true;
}

bool TCV2Frm::RunOpenDialog(std::wstring& path) {
    FileDialogSpec spec{"ﾕｰｻﾞｰﾌｧｲﾙを開く", kUserFileFilter, kUserFileExt, openInitialDir, false};
    // Always without an initial name.
    std::wstring name;
    if (!view_.RunFileDialog(spec, name)) return false;
    path = name;
    return true;
}

bool TCV2Frm::RunSaveDialog(std::wstring& path) {
    FileDialogSpec spec{"ﾕｰｻﾞｰﾌｧｲﾙを保存", kUserFileFilter, kUserFileExt, saveInitialDir, true};
    // The dialog offers the name chosen last time.
    std::wstring name = saveDialogName;
    if (!view_.RunFileDialog(spec, name)) return false;
    saveDialogName = name;
    path = name;
    return true;
}

}  // namespace cv2
