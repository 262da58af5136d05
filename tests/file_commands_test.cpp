#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kOld = L"C:\\Data\\old.cv2";
const std::wstring kOldIni = L"C:\\Data\\old.ini";
const std::wstring kNew = L"C:\\Data\\new.cv2";
const std::wstring kNewIni = L"C:\\Data\\new.ini";
const std::wstring kExeIni = L"C:\\Apps\\Corvell2.ini";  // with the recent files
const std::string kSmallTreeFile = "A\r\n\ta1\r\n\t\tx\r\n\ta2\r\n\t\ty\r\nB\r\n\tb1\r\n";

class FileCommands : public ::testing::Test, public testing::MainFrmFixture {
protected:
    // A session on kOld with unsaved changes.
    void EditedSession() {
        BuildSmallTree();
        SetFileName(kOld);
        MarkUnsaved();
    }
    // A program that has run before, started without a file: the dialogs open in its folder.
    void StartedBefore() {
        files.files[L"C:\\Apps\\Corvell2.ini"] = "";
        frm.FormCreate({});
    }
};

TEST_F(FileCommands, PromptIsSkippedWithoutChanges) {
    BuildSmallTree();
    EXPECT_TRUE(frm.QuerySaveChanges());
    EXPECT_TRUE(frm.FormCloseQuery());
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(FileCommands, PromptNamesTheFileOrUntitled) {
    EditedSession();
    SetFileName(L"C:\\Data\\ユーザー.cv2");
    view.answers = {Answer::No};
    EXPECT_TRUE(frm.QuerySaveChanges());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "ユーザー.cv2 は変更されています。\n\r変更を保存しますか？");
    EXPECT_EQ(view.boxes[0].caption, "Corvel2！");
    EXPECT_EQ(view.boxes[0].choices, Choices::YesNoCancel);
    EXPECT_TRUE(frm.Dirty()) << "No leaves the changes unsaved";
    EXPECT_TRUE(files.writes.empty());

    SetFileName(L"");
    view.answers = {Answer::No};
    frm.QuerySaveChanges();
    EXPECT_EQ(view.boxes[1].text, "無題は変更されています。保存しますか？");
}

TEST_F(FileCommands, PromptCancelStops) {
    EditedSession();
    view.answers = {Answer::Cancel};
    EXPECT_FALSE(frm.QuerySaveChanges());
    view.answers = {Answer::Cancel};
    EXPECT_FALSE(frm.FormCloseQuery());
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(Dump(), "A|.a1|..x|.a2|..y|B|.b1");
}

TEST_F(FileCommands, PromptYesSavesTheTreeAndItsSettings) {
    EditedSession();
    frm.Tree().SetImageIndex(At(2), 6);
    view.answers = {Answer::Yes};
    EXPECT_TRUE(frm.QuerySaveChanges());
    EXPECT_EQ(files.files[kOld], kSmallTreeFile);
    EXPECT_EQ(IniFile::Parse(files.files[kOldIni]).ReadInteger("Image", "index2", 0), 6);
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kOld, kOldIni, kExeIni}));
    EXPECT_TRUE(frm.Dirty()) << "the caller is about to replace the tree or close";
    EXPECT_EQ(frm.FileName(), kOld);
    EXPECT_TRUE(view.fileDialogs.empty());
}

TEST_F(FileCommands, PromptYesWithoutAFileAsksForOne) {
    EditedSession();
    SetFileName(L"");
    view.answers = {Answer::Yes, Answer::Yes};
    view.fileAnswers = {{false, L""}, {true, kNew}};
    EXPECT_FALSE(frm.QuerySaveChanges()) << "cancelling the save dialog cancels the command";
    EXPECT_TRUE(files.writes.empty());

    EXPECT_TRUE(frm.QuerySaveChanges());
    EXPECT_EQ(view.fileDialogs.size(), 2u);
    EXPECT_TRUE(view.fileDialogs[0].save);
    EXPECT_EQ(view.fileDialogs[0].title, "ﾕｰｻﾞｰﾌｧｲﾙを保存");
    EXPECT_EQ(view.initialNames[0], L"新規ﾕｰｻﾞｰ");
    EXPECT_EQ(files.files[kNew], kSmallTreeFile);
    EXPECT_TRUE(files.files.count(kNewIni));
    EXPECT_EQ(frm.FileName(), L"");
}

TEST_F(FileCommands, PromptReportsAFailedSaveAndStops) {
    EditedSession();
    files.files[kOld] = "previous\r\n";
    files.unwritable.insert(kOld);
    view.answers = {Answer::Yes};
    EXPECT_FALSE(frm.QuerySaveChanges());
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[1].text, "C:\\Data\\old.cv2\n\rを保存出来ませんでした。");
    EXPECT_EQ(view.boxes[1].caption, "エラー");
    EXPECT_TRUE(view.boxes[1].error);
    EXPECT_EQ(files.files[kOld], "previous\r\n");
    EXPECT_FALSE(files.files.count(kOldIni));
}

TEST_F(FileCommands, EndOfSessionWritesTheSettingsFirstThenAsksLikeClosing) {
    BuildSmallTree();
    SetFileName(kOld);
    EXPECT_TRUE(frm.FormQueryEndSession(false)) << "a clean tree lets the session end unasked";
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kExeIni, kOldIni}));

    MarkUnsaved();
    files.writes.clear();
    std::vector<std::wstring> writtenWhileAsking;
    view.whileBoxOpen = [&] { writtenWhileAsking = files.writes; };
    view.answers = {Answer::Cancel};
    EXPECT_FALSE(frm.FormQueryEndSession(false));
    // Windows may end the process while the question is open.
    EXPECT_EQ(writtenWhileAsking, (std::vector<std::wstring>{kExeIni, kOldIni, kOld + L".recovery"}));
    EXPECT_TRUE(files.files.count(kOld + L".recovery")) << "Cancel keeps the changes and their recovery";
    view.answers = {Answer::No};
    EXPECT_TRUE(frm.FormQueryEndSession(false));
    EXPECT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[1].text, "old.cv2 は変更されています。\n\r変更を保存しますか？");
    EXPECT_FALSE(files.files.count(kOld + L".recovery")) << "No gives the changes up";
    EXPECT_FALSE(view.recoveryTimer);
    EXPECT_EQ(files.files.count(kOld), 0u) << "the user file stays as it was";

    files.writes.clear();
    frm.FormEndSession(true);
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kExeIni, kOldIni}));
    // A later destruction, or a second notice, does not write again.
    frm.FormEndSession(true);
    frm.FormDestroy();
    EXPECT_EQ(files.writes.size(), 2u);
}

TEST_F(FileCommands, EndOfSessionWhileTheQuestionIsOpenIsRefused) {
    EditedSession();
    bool endAllowed = true;
    view.whileBoxOpen = [&] {
        view.whileBoxOpen = nullptr;
        endAllowed = frm.FormQueryEndSession(false);
    };
    view.answers = {Answer::Cancel};
    EXPECT_FALSE(frm.FormCloseQuery());
    EXPECT_FALSE(endAllowed);
    EXPECT_EQ(view.boxes.size(), 1u) << "no second question over the first";

    // Once answered, the next request asks again.
    files.writes.clear();
    view.answers = {Answer::Yes};
    EXPECT_TRUE(frm.FormQueryEndSession(false));
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kExeIni, kOldIni, kOld + L".recovery", kOld, kOldIni, kExeIni}));
    EXPECT_FALSE(files.files.count(kOld + L".recovery")) << "saved";
}

TEST_F(FileCommands, AnItemTheWindowCannotShowIsNotKept) {
    // An insert the control refuses, while editing and while an Open fills the window.
    BuildSmallTree();
    view.refusedTexts = {"新規項目"};
    view.selection = At(0);
    EXPECT_THROW(frm.AddChildMenuClick(), InsertError);
    EXPECT_EQ(Dump(), "A|.a1|..x|.a2|..y|B|.b1");
    EXPECT_EQ(frm.Tree().Count(), 7);

    SetFileName(kOld);
    files.files[kNew] = "P\r\n\tp\r\nQ\r\n\tq\r\nR\r\n";
    view.refusedTexts = {"q"};
    view.fileAnswers.push_back({true, kNew});
    EXPECT_THROW(frm.OpenBtnClick(), InsertError);
    EXPECT_EQ(Dump(), "P|.p") << "the model keeps what the window shows";
    EXPECT_EQ(frm.Tree().Count(), 2);
    EXPECT_EQ(view.treeEvents.back(), "removing Q");
    EXPECT_TRUE(frm.FileName().empty()) << "part of a file belongs to no file";
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(FileCommands, SaveAlwaysAsksForANameAndRemembersIt) {
    StartedBefore();
    BuildSmallTree();
    MarkUnsaved();
    view.fileAnswers = {{true, kNew}};
    frm.SaveBtnClick();
    const FileDialogSpec& spec = view.fileDialogs.at(0);
    EXPECT_EQ(spec.title, "ﾕｰｻﾞｰﾌｧｲﾙを保存");
    EXPECT_EQ(spec.filter, "ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)|*.cv2");
    EXPECT_EQ(spec.defaultExt, "cv2");
    EXPECT_EQ(spec.initialDir, L"C:\\Apps");
    EXPECT_TRUE(spec.save);
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kNew, kNewIni, kExeIni}));
    EXPECT_EQ(files.files[kNew], kSmallTreeFile);
    EXPECT_EQ(frm.FileName(), kNew);
    EXPECT_FALSE(frm.Dirty());

    // Unchanged tree: still asks, offering the last name.
    frm.SaveBtnClick();
    EXPECT_EQ(view.initialNames.at(1), kNew);
    EXPECT_EQ(files.writes.size(), 3u) << "cancelled";
    EXPECT_EQ(frm.SaveDialogName(), kNew);
}

TEST_F(FileCommands, SaveFailsSilentlyAndChangesNothing) {
    EditedSession();
    files.unwritable.insert(kNew);
    view.fileAnswers = {{true, kNew}};
    frm.SaveBtnClick();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(frm.FileName(), kOld);
    EXPECT_TRUE(frm.Dirty());
}

TEST_F(FileCommands, OpenWritesTheLeftFilesSettingsThenLoadsTheNewFileWithItsSettings) {
    StartedBefore();
    BuildSmallTree();
    SetFileName(kOld);
    files.files[kNew] = "P\r\n\tQ\r\nR\r\n";
    files.files[kNewIni] = "[Window]\r\nTop=9\r\nExpand=0\r\nNodeSelect=2\r\n[Image]\r\nindex1=8\r\n";
    view.fileAnswers = {{true, kNew}};
    frm.OpenBtnClick();
    EXPECT_TRUE(view.boxes.empty()) << "no changes, no question";
    const FileDialogSpec& spec = view.fileDialogs.at(0);
    EXPECT_EQ(spec.title, "ﾕｰｻﾞｰﾌｧｲﾙを開く");
    EXPECT_EQ(spec.initialDir, L"C:\\Apps");
    EXPECT_FALSE(spec.save);
    EXPECT_EQ(view.initialNames.at(0), L"");
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{kOldIni, kExeIni}));
    EXPECT_EQ(IniFile::Parse(files.files[kOldIni]).ReadInteger("Image", "index6", -1), 0);
    EXPECT_EQ(Dump(), "P+|.Q:8|R");
    EXPECT_EQ(frm.FileName(), kNew);
    EXPECT_FALSE(frm.Dirty());
    EXPECT_EQ(view.bounds.top, 9);
    EXPECT_TRUE(At(0)->Expanded());
    EXPECT_EQ(view.selection, At(2));
    EXPECT_EQ(At(1)->ImageIndex(), 8);
    // The items reach the view with their icons: changing them one by one in the tree
    // control afterwards is slow with many items.
    EXPECT_EQ(std::count_if(view.treeEvents.begin(), view.treeEvents.end(),
                            [](const std::string& e) { return e.starts_with("image "); }),
              0);
    EXPECT_EQ(view.redrawSuspended, 0);
}

TEST_F(FileCommands, OpenOfABadOrMissingFileKeepsTheTreeAndItsFile) {
    EditedSession();
    view.answers = {Answer::No, Answer::No};
    files.files[kNew] = "P\r\n\t\tQ\r\n";
    view.fileAnswers = {{true, kNew}, {true, L"C:\\Data\\gone.cv2"}};
    for (int i = 0; i < 2; ++i) {
        frm.OpenBtnClick();
        EXPECT_EQ(Dump(), "A|.a1|..x|.a2|..y|B|.b1");
        EXPECT_EQ(frm.FileName(), kOld);
        EXPECT_TRUE(frm.Dirty());
    }
    EXPECT_EQ(view.fileDialogs.size(), 2u);
}

TEST_F(FileCommands, OpenStopsWhenThePromptOrTheDialogIsCancelled) {
    EditedSession();
    view.answers = {Answer::Cancel};
    frm.OpenBtnClick();
    EXPECT_TRUE(view.fileDialogs.empty());

    view.answers = {Answer::No};
    frm.OpenBtnClick();
    EXPECT_EQ(view.fileDialogs.size(), 1u);
    EXPECT_TRUE(files.writes.empty()) << "the file being left is kept until another is chosen";
    EXPECT_EQ(frm.FileName(), kOld);
}

TEST_F(FileCommands, NewAfterNoAndACancelledWizardLeavesTheItemsUntitled) {
    EditedSession();
    view.answers = {Answer::No, Answer::No};
    frm.NewBtnClick();
    EXPECT_EQ(frm.FileName(), L"");
    EXPECT_TRUE(frm.Dirty());
    EXPECT_EQ(Dump(), "A|.a1|..x|.a2|..y|B|.b1");
    frm.QuerySaveChanges();
    EXPECT_EQ(view.boxes.at(1).text, "無題は変更されています。保存しますか？");

    view.answers = {Answer::Cancel};
    SetFileName(kOld);
    frm.NewBtnClick();
    EXPECT_EQ(frm.FileName(), kOld) << "cancelled before the wizard";
    EXPECT_TRUE(files.writes.empty());
}

}  // namespace
}  // namespace cv2::testing
