// Unsaved changes: the dirty flag, the shutdown block reason that follows it, and the
// recovery file that keeps the unsaved tree through a crash, a killed process or a forced end
// of the session.
//
// The recovery file of a user file is the user file's path followed by ".recovery"; an
// untitled tree's is the executable's path followed by ".recovery". It is a user file (tab-
// indented code page 932 lines), then a NUL byte, then the settings file that SaveSettings
// would write for the tree (icons, expanded items, selection, window): the user-file reader
// stops at the NUL, so the file also opens as a user file. A recovery declined at start-up is
// renamed to ".recovery.old", replacing the one declined before.
#include "CV2MainFrm/CV2MainFrm.h"
#include "base/Cp932.h"
#include "base/Path.h"
#include "tree/UserFile.h"

namespace cv2 {
namespace {

constexpr const wchar_t* kRecoveryExt = L".recovery";
constexpr const wchar_t* kDeclinedExt = L".old";
constexpr const char* kShutdownReason = "保存されていない変更があります";
constexpr const char* kRecoverQuestion = "前回保存されていない変更が残っています。復元しますか？";

bool Listed(const std::vector<std::wstring>& paths, const std::wstring& path) {
    for (const std::wstring& p : paths)
        if (SameTextAscii(p, path)) return true;
    return false;
}

}  // namespace

void TCV2Frm::SetDirty(bool unsaved) {
    if (unsaved != dirty) view_.SetShutdownReason(unsaved ? kShutdownReason : "");
    dirty = unsaved;
    if (unsaved)
        ScheduleRecovery();
    else
        DiscardRecovery();
}

std::wstring TCV2Frm::RecoveryFile() {
    return (fileName.empty() ? platform_.files.ModulePath() : fileName) + kRecoveryExt;
}

void TCV2Frm::ScheduleRecovery() {
    // The first change after a write starts the timer; later ones ride with it, so that a
    // stream of edits cannot put the write off.
    if (recoveryPending_) return;
    // A tree that is what its file holds needs none: after Yes to the save question the
    // command that asked can still stop (the Open dialog cancelled) with the flag still set.
    if (history_.AtSaved()) return;
    recoveryPending_ = true;
    view_.SetRecoveryTimer(true);
}

void TCV2Frm::RecoveryTimerTimer() {
    recoveryPending_ = false;
    view_.SetRecoveryTimer(false);
    WriteRecovery();
}

bool TCV2Frm::WriteRecovery() {
    if (!dirty) return false;
    FileSystem& files = platform_.files;
    const std::wstring target = RecoveryFile();
    if (Listed(heldRecoveries_, target)) return false;
    // Over the settings file as it stands, as SaveSettings would write it: keys a compact or
    // minimized window does not write keep their stored values.
    IniFile settings = fileName.empty() ? IniFile() : IniFile::Load(files, SettingsFileOf(fileName));
    if (settings.Unreadable()) settings = IniFile();
    WriteSettings(settings);
    std::string bytes = FormatUserFile(tree_);
    bytes += '\0';
    bytes += settings.Bytes();
    if (!files.WriteFileAtomic(target, bytes)) return false;
    // The tree was bound to another file when the last one was written.
    if (!recoveryWritten_.empty() && recoveryWritten_ != target) files.RemoveFile(recoveryWritten_);
    recoveryWritten_ = target;
    return true;
}

void TCV2Frm::DiscardRecovery() {
    if (recoveryPending_) {
        recoveryPending_ = false;
        view_.SetRecoveryTimer(false);
    }
    if (recoveryWritten_.empty()) return;
    platform_.files.RemoveFile(recoveryWritten_);
    recoveryWritten_.clear();
}

bool TCV2Frm::RecoverUnsavedTree(const std::wstring& userFile, ItemTree& into) {
    FileSystem& files = platform_.files;
    const std::wstring recovery = (userFile.empty() ? files.ModulePath() : userFile) + kRecoveryExt;
    if (Listed(heldRecoveries_, recovery)) return false;
    const std::optional<std::int64_t> written = files.WriteTime(recovery);
    if (!written && files.IsAbsent(recovery)) return false;
    // A user file saved after the recovery was written holds newer work than it.
    if (written && !userFile.empty()) {
        const std::optional<std::int64_t> saved = files.WriteTime(userFile);
        if (saved && *saved >= *written) return false;
    }

    std::string bytes;
    ItemTree recovered;
    try {
        if (!files.ReadFile(recovery, bytes)) throw Error("unreadable");
        ParseUserFile(bytes, recovered);
    } catch (const std::exception&) {
        // Kept as it is for a later start (another program may hold it just now), and this
        // session writes no recovery over it.
        view_.ShowError(ToCp932(recovery) + "\n\rを読み込めませんでした。", kAppTitle);
        heldRecoveries_.push_back(recovery);
        return false;
    }
    if (view_.Ask(kRecoverQuestion, kAppTitle, Choices::YesNo) != Answer::Yes) {
        // Put aside rather than lost; a recovery that cannot be moved stays where it is.
        if (!files.RenameFile(recovery, recovery + kDeclinedExt)) heldRecoveries_.push_back(recovery);
        return false;
    }
    const std::size_t nul = bytes.find('\0');
    IniFile settings = nul == std::string::npos ? IniFile() : IniFile::Parse(std::string_view(bytes).substr(nul + 1));
    ApplyItemSettings(recovered, settings);
    into.ReplaceWith(recovered);
    recoveredSettings_ = std::move(settings);
    // The file on disk is the tree in the window: this session's own from now on.
    recoveryWritten_ = recovery;
    return true;
}

}  // namespace cv2
