#include <gtest/gtest.h>

#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kExe = L"C:\\Apps\\Corvell2.exe";
const std::wstring kExeIni = L"C:\\Apps\\Corvell2.ini";

class StartUp : public ::testing::Test, public testing::MainFrmFixture {
protected:
    void Start(std::vector<std::wstring> args = {}) { frm.FormCreate(args); }
};

TEST_F(StartUp, DialogsStartInTheExecutablesFolder) {
    Start();
    EXPECT_EQ(frm.OpenInitialDir(), L"C:\\Apps");
    EXPECT_EQ(frm.SaveInitialDir(), L"C:\\Apps");

    files.modulePath = L"C:\\Corvell2.exe";
    Start();
    EXPECT_EQ(frm.OpenInitialDir(), L"C:\\");
}

TEST_F(StartUp, ArgumentNamingAUserFileIsLoadedWhateverTheCaseOfItsExtension) {
    files.files[L"D:\\mine\\Me.CV2"] = "A\r\n\tB\r\n";
    files.files[L"D:\\mine\\Me.ini"] = "[Image]\r\nindex1=4\r\n";
    files.files[L"C:\\Apps\\other.cv2"] = "X\r\n";
    Start({L"D:\\mine\\Me.CV2", L"C:\\Apps\\other.cv2"});
    EXPECT_EQ(frm.FileName(), L"D:\\mine\\Me.CV2");
    EXPECT_EQ(Dump(), "A|.B:4");
    EXPECT_TRUE(view.fileDialogs.empty());
}

TEST_F(StartUp, ARelativeArgumentBecomesAnAbsolutePathFromTheStartFolder) {
    files.currentDir = L"D:\\mine\\";
    files.files[L"D:\\mine\\sub\\Me.cv2"] = "A\r\n";
    files.files[L"D:\\mine\\sub\\Me.ini"] = "[Image]\r\nindex0=4\r\n";
    Start({L"sub\\Me.cv2"});
    EXPECT_EQ(frm.FileName(), L"D:\\mine\\sub\\Me.cv2");
    EXPECT_EQ(At(0)->ImageIndex(), 4);

    // Wherever the current folder goes later, the settings land beside the file.
    files.currentDir = L"E:\\elsewhere\\";
    files.writes.clear();
    frm.FormDestroy();
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kExeIni, L"D:\\mine\\sub\\Me.ini"}));
    // The prompt still names the file alone.
    MarkUnsaved();
    view.answers.push_back(Answer::Cancel);
    frm.QuerySaveChanges();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text.substr(0, 7), "Me.cv2 ");
}

TEST_F(StartUp, ArgumentThatIsMissingOrNoUserFileIsIgnored) {
    files.files[L"C:\\Apps\\only.cv2"] = "X\r\n";
    files.files[L"D:\\notes.txt"] = "N\r\n";
    for (const wchar_t* arg : {L"D:\\gone.cv2", L"D:\\notes.txt"}) {
        frm.Tree().Clear();
        Start({arg});
        EXPECT_EQ(frm.FileName(), L"C:\\Apps\\only.cv2");
        EXPECT_EQ(Dump(), "X");
    }
}

TEST_F(StartUp, TheOnlyUserFileBesideTheExecutableIsLoadedEvenAfterEarlierRuns) {
    files.files[kExeIni] = "[Window]\r\nTop=1\r\n";
    files.files[L"C:\\Apps\\only.cv2"] = "X\r\n\tY\r\n";
    files.files[L"C:\\Apps\\only.ini"] = "[Image]\r\nindex0=2\r\n";
    files.files[L"C:\\Apps\\sub\\more.cv2"] = "Z\r\n";
    Start();
    EXPECT_EQ(frm.FileName(), L"C:\\Apps\\only.cv2");
    EXPECT_EQ(Dump(), "X:2|.Y") << "the selected icon is the icon's own";
}

TEST_F(StartUp, SeveralUserFilesAreOfferedInTheOpenDialog) {
    files.files[L"C:\\Apps\\a.cv2"] = "A\r\n";
    files.files[L"C:\\Apps\\b.cv2"] = "B\r\n";
    view.fileAnswers.push_back({true, L"C:\\Apps\\b.cv2"});
    Start();
    ASSERT_EQ(view.fileDialogs.size(), 1u);
    const FileDialogSpec& spec = view.fileDialogs[0];
    EXPECT_EQ(spec.title, "ﾕｰｻﾞｰﾌｧｲﾙを開く");
    EXPECT_EQ(spec.filter, "ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)|*.cv2");
    EXPECT_EQ(spec.defaultExt, "cv2");
    EXPECT_EQ(spec.initialDir, L"C:\\Apps");
    EXPECT_FALSE(spec.save);
    EXPECT_EQ(view.initialNames[0], L"");
    EXPECT_EQ(frm.FileName(), L"C:\\Apps\\b.cv2");
    EXPECT_EQ(Dump(), "B");
}

TEST_F(StartUp, CancellingTheChoiceOrPickingTheExecutableMeansNoFile) {
    files.files[L"C:\\Apps\\a.cv2"] = "A\r\n";
    files.files[L"C:\\Apps\\b.cv2"] = "B\r\n";
    files.files[L"C:\\Apps\\Corvell2.exe"] = "MZ";
    files.files[L".ini"] = "[Image]\r\nindex0=3\r\n";
    view.fileAnswers.push_back({false, L""});
    view.fileAnswers.push_back({true, kExe});
    for (int i = 0; i < 2; ++i) {
        Start();
        EXPECT_EQ(frm.FileName(), L"");
        EXPECT_TRUE(frm.Tree().Empty());
    }
    EXPECT_EQ(view.fileDialogs.size(), 2u);
}

TEST_F(StartUp, NoUserFileAfterEarlierRunsStartsEmptyWithoutTheWizard) {
    files.files[kExeIni] = "";
    Start();
    EXPECT_EQ(frm.FileName(), L"");
    EXPECT_TRUE(frm.Tree().Empty());
    EXPECT_EQ(view.wizardShown, 0);
    EXPECT_TRUE(view.fileDialogs.empty());
}

TEST_F(StartUp, FirstRunBuildsAUserFileWithTheWizardAndLoadsItFromDisk) {
    WizardInput input;
    input.Kanji01 = "山田";
    input.Kanji02 = "太郎";
    input.Birthday = {1980, 4, 1};
    view.wizardAnswers.push_back({true, input});
    view.fileAnswers.push_back({true, L"C:\\Apps\\yamada.cv2"});
    Start();
    EXPECT_EQ(view.wizardShown, 1);
    EXPECT_EQ(frm.FileName(), L"C:\\Apps\\yamada.cv2");
    ASSERT_TRUE(files.files.count(L"C:\\Apps\\yamada.ini"));
    ASSERT_FALSE(frm.Tree().Empty());
    // The tree on screen is the one read back, with the icons its settings file holds.
    std::string reread;
    for (const Item* i = frm.Tree().First(); i; i = i->Next())
        reread += std::string(static_cast<std::size_t>(i->Level()), '\t') + i->Text() + "\r\n";
    EXPECT_EQ(reread, files.files[L"C:\\Apps\\yamada.cv2"]);
    IniFile ini = IniFile::Parse(files.files[L"C:\\Apps\\yamada.ini"]);
    int n = 0;
    for (const Item* i = frm.Tree().First(); i; i = i->Next(), ++n)
        EXPECT_EQ(i->ImageIndex(), ini.ReadInteger("Image", "index" + std::to_string(n), -1)) << n;
}

TEST_F(StartUp, FirstRunWithTheWizardCancelledStartsWithoutAFile) {
    Start();
    EXPECT_EQ(view.wizardShown, 1);
    EXPECT_EQ(frm.FileName(), L"");
    EXPECT_TRUE(frm.Tree().Empty());
}

TEST_F(StartUp, ABadLevelKeepsTheItemsBeforeItWithoutAFileOrIcons) {
    files.files[L"C:\\Apps\\jump.cv2"] = "A\r\n\tB\r\n\t\t\tC\r\nD\r\n";
    files.files[L"C:\\Apps\\jump.ini"] = "[Image]\r\nindex0=3\r\n";
    Start();
    EXPECT_EQ(Dump(), "A|.B");
    EXPECT_EQ(frm.FileName(), L"");
    EXPECT_EQ(At(0)->ImageIndex(), 0);
    EXPECT_EQ(view.redrawSuspended, 0);
}

TEST_F(StartUp, ShowAppliesTheCurrentUserFilesSettings) {
    files.files[L"C:\\Apps\\only.cv2"] = "X\r\n\tY\r\nZ\r\n";
    files.files[L"C:\\Apps\\only.ini"] = "[Window]\r\nTop=40\r\nLeft=50\r\nExpand=0\r\nNodeSelect=2\r\n";
    Start();
    frm.FormShow();
    EXPECT_EQ(view.bounds.top, 40);
    EXPECT_EQ(view.bounds.left, 50);
    EXPECT_TRUE(At(0)->Expanded());
    EXPECT_EQ(view.selection, At(2));
}

TEST_F(StartUp, ShowWithoutAFileUsesTheDefaults) {
    files.files[kExeIni] = "[Window]\r\nTop=40\r\n";
    Start();
    frm.FormShow();
    EXPECT_EQ(view.bounds.top, 0);
    EXPECT_EQ(view.bounds.left, 0);
    EXPECT_EQ(view.bounds.height, 300);
}

}  // namespace
}  // namespace cv2::testing
