// Which user file the program opens with: the one named on the command line, the only one
// beside the executable, one picked from several, a new one from the wizard, or none.
#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"
#include "base/Path.h"
#include "tree/UserFile.h"

namespace cv2 {
namespace {

enum class StartChoice { Undecided, Load, Ask, Empty };

}  // namespace

void TCV2Frm::FormCreate(const std::vector<std::wstring>& args) {
    FileSystem& files = platform_.files;
    const std::wstring exePath = files.ModulePath();
    openInitialDir = saveInitialDir = ExtractFileDir(exePath);

    fileName.clear();
    recent_.Read(IniFile::Load(files, SettingsFileOf(exePath)));
    std::wstring path;
    StartChoice choice = StartChoice::Undecided;

    // A relative argument is taken from the folder the program was started in, once and for
    // all: the file dialogs may change the current folder later, and the settings of this
    // file must still land beside it.
    const std::wstring arg = args.empty() ? std::wstring() : files.FullPath(args[0]);
    if (!arg.empty() && !files.FindFiles(arg).empty() && SameTextAscii(ExtractFileExt(arg), L".cv2")) {
        choice = StartChoice::Load;
        path = arg;
    }
    if (choice == StartChoice::Undecided) {
        // The executable's settings file is written at every exit, so it tells a program
        // that has run before (start empty) from a first run (start the wizard).
        if (files.FileExists(SettingsFileOf(exePath))) choice = StartChoice::Empty;
        const std::wstring exeDir = ExtractFilePath(exePath);
        const std::vector<std::wstring> found = files.FindFiles(exeDir + L"*.cv2");
        if (!found.empty()) path = exeDir + found.front();
        if (found.size() == 1)
            choice = StartChoice::Load;
        else if (found.size() > 1)
            choice = StartChoice::Ask;
    }

    // The executable's own path stands for "no file", so that picking the executable in
    // the dialog also means none.
    ItemTree loaded;
    bool recovered = false;
    switch (choice) {
        case StartChoice::Load:
            break;
        case StartChoice::Ask:
            if (!RunOpenDialog(path)) path = exePath;
            break;
        case StartChoice::Empty:
            path = exePath;
            break;
        case StartChoice::Undecided:
            // An untitled tree that a crash left behind comes before a first run's wizard.
            recovered = RecoverUnsavedTree({}, loaded);
            path.clear();
            if (recovered || !RunNewUserWizard(path)) path = exePath;
            break;
    }
    if (path == exePath) {
        if (!recovered && !RecoverUnsavedTree({}, loaded)) return;
        recovered = true;
    } else {
        // The wizard's tree is read back from its file, like any other, with its icons.
        try {
            LoadUserFile(files, path, loaded);
            fileName = path;
        } catch (const std::exception&) {
            // Whatever was read before a bad line stays; the program starts without a file.
        }
        // The icons go onto the items before the control gets them: changing an item's icon
        // in the control afterwards costs a message per item, and a pass over all its shown
        // rows for each.
        LoadItemImages(loaded, fileName);
        if (RecoverUnsavedTree(path, loaded)) {
            recovered = true;
            fileName = path;
        }
        if (!fileName.empty()) NoteRecentFile(fileName);
    }
    RedrawSuspension redraw(view_);
    tree_.ReplaceWith(loaded);
    if (recovered) SetDirty(true);
}

void TCV2Frm::FormShow() {
    if (!recoveredSettings_) return LoadSettings(fileName);
    // A recovered tree comes back as it was left: its expanded items, its selection and the
    // window from the recovery file. The user file's own settings file is only looked at.
    if (!fileName.empty())
        NoteSettingsRead(SettingsFileOf(fileName), IniFile::Load(platform_.files, SettingsFileOf(fileName)));
    ApplySettings(*recoveredSettings_);
    recoveredSettings_.reset();
}

}  // namespace cv2
