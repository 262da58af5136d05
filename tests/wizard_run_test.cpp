#include <gtest/gtest.h>

#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "base/Path.h"
#include "tests/support/FakePlatform.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeDialogs.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeDesktop.h"

namespace cv2 {
namespace {

struct WizardRun : ::testing::Test, fakes::FakePlatform {
    WizardRun() {
        input.Birthday = {1996, 5, 3};
        input.Yubin01 = "123";
        input.Yubin02 = "4567";
        input.Mail = "a@b";
        form.Tree().AppendChild(nullptr, "old item");
        files.files[L"C:\\Users\\old.cv2"] = "old item\r\n";
    }
    std::string Texts() {
        std::string out;
        for (Item* item = form.Tree().First(); item; item = item->Next()) out += item->Text() + ",";
        return out;
    }

    fakes::FakeMainView view{log};
    TCV2Frm form{view, platform};
    WizardInput input;
};

TEST_F(WizardRun, CancelledWizardChangesNothing) {
    view.wizardAnswers.push_back({false, input});
    std::wstring path = L"before";
    form.dirty = true;
    EXPECT_FALSE(form.RunNewUserWizard(path));
    EXPECT_EQ(path, L"before");
    EXPECT_TRUE(form.dirty);
    EXPECT_EQ(Texts(), "old item,");
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(WizardRun, SavedTreeGoesToTheUserFileAndItsIconsToTheSettingsFile) {
    view.wizardAnswers.push_back({true, input});
    dialogs.fileAnswers.push_back({true, L"C:\\Users\\山田.cv2"});
    std::wstring path;
    form.dirty = true;
    EXPECT_TRUE(form.RunNewUserWizard(path));
    EXPECT_EQ(path, L"C:\\Users\\山田.cv2");
    EXPECT_FALSE(form.dirty);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs.fileDialogs[0].save);
    EXPECT_EQ(files.files[path],
              "123-4567\r\n\t123\r\n\t4567\r\n"
              "1996/05/03\r\n\t1996\r\n\t05\r\n\t03\r\n\t96/05/03\r\n\t96\r\n"
              "平成08年05月03日\r\n\t平成08年\r\n\t05月\r\n\t03日\r\n"  // the era from the built-in table
              "a@b\r\n\ta\r\n\tb\r\n");
    // Icons are not in the user file: the settings file beside it holds them.
    ASSERT_TRUE(files.files.count(SettingsFileOf(path))) << "settings file not written";
    const std::string& ini = files.files[SettingsFileOf(path)];
    EXPECT_NE(ini.find("index0=5"), std::string::npos) << ini;
    EXPECT_NE(ini.find("index13=11"), std::string::npos) << ini;
    EXPECT_NE(ini.find("index3=0"), std::string::npos) << ini;
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WizardRun, CancelledSaveDialogKeepsTheNewTreeAsUnsavedChanges) {
    view.wizardAnswers.push_back({true, input});
    std::wstring path = L"before";
    EXPECT_FALSE(form.RunNewUserWizard(path));
    EXPECT_EQ(path, L"");
    EXPECT_TRUE(form.dirty);
    EXPECT_EQ(Texts().substr(0, 22), "123-4567,123,4567,1996");
    EXPECT_EQ(form.Tree().ItemAt(0)->SelectedIndex(), 17);
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(WizardRun, UnwritablePathIsReportedAndNothingElseIsWritten) {
    view.wizardAnswers.push_back({true, input});
    dialogs.fileAnswers.push_back({true, L"Z:\\ro\\x.cv2"});
    files.unwritable.insert(L"Z:\\ro\\x.cv2");
    std::wstring path = L"before";
    EXPECT_FALSE(form.RunNewUserWizard(path));
    EXPECT_EQ(path, L"before");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Z:\\ro\\x.cv2\n\rを保存出来ませんでした。");
    EXPECT_EQ(dialogs.boxes[0].caption, "エラー");
    EXPECT_EQ(dialogs.boxes[0].style, kMbOk | kMbIconError);
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(Texts().substr(0, 8), "123-4567");
    // The new tree is in no file, so leaving must still offer to save it.
    EXPECT_TRUE(form.dirty);
}

TEST_F(WizardRun, EveryRunStartsFromItsOwnInput) {
    view.wizardAnswers.push_back({true, input});
    WizardInput second;
    second.Birthday = {2019, 5, 1};
    second.Syokugyou = "学生";
    view.wizardAnswers.push_back({true, second});
    std::wstring path;
    form.RunNewUserWizard(path);
    form.RunNewUserWizard(path);
    EXPECT_EQ(view.wizardShown, 2);
    EXPECT_EQ(Texts(), "2019/05/01,2019,05,01,19/05/01,19,令和01年05月01日,令和01年,05月,01日,学生,");
}

}  // namespace
}  // namespace cv2
