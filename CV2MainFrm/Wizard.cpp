#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"
#include "NewFrm/NewUserTree.h"
#include "base/Cp932.h"
#include "tree/UserFile.h"

namespace cv2 {

bool TCV2Frm::RunNewUserWizard(std::wstring& path) {
    WizardInput input;
    if (!view_.ShowWizard(input)) return false;
    {
        ItemTree built;
        BuildNewUserTree(built, input, platform_.locale);
        RedrawSuspension pause(view_);
        // One undo step gives the whole tree before back.
        TreeHistory::Recording step = RecordStep();
        history_.ReplaceAll(built);
        step.Commit(view_.Selection(), Affects::UserFile);
    }

    std::wstring chosen;
    if (!RunSaveDialog(chosen)) {
        // The new tree stays in the window, unsaved.
        path.clear();
        SetDirty(true);
        return false;
    }
    try {
        SaveUserFile(platform_.files, chosen, tree_);
    } catch (const std::exception&) {
        view_.ShowError(ToCp932(chosen) + "\n\r" + "を保存出来ませんでした。", "エラー");
        // The tree on screen is in no file: closing must still offer to save it.
        SetDirty(true);
        return false;
    }
    path = chosen;
    UserFileSaved(chosen);
    return true;
}

}  // namespace cv2
