#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "About/About.h"
#include "CV2MainFrm/CV2MainFrm.h"
#include "base/ErrorReport.h"
#include "platform/FileFilter.h"
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

using namespace std::string_literals;

TEST(AboutBox, LinksOpenExactlyTheLabelTextAndCloseOnlyOnSuccess) {
    fakes::FakeShell shell;
    TAboutBox box(shell, 77);
    box.mailLabel = "ﾒｰﾙ@example.org";  // whatever the label carries, byte for byte
    EXPECT_TRUE(box.MailLabelClick());
    EXPECT_TRUE(box.HpLabelClick());
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0], "mailto:ﾒｰﾙ@example.org");
    EXPECT_EQ(shell.opened[1], kAboutHomePage);

    // ShellExecute's error codes are 0..32; 33 is the first success.
    shell.openResult = 32;
    EXPECT_FALSE(box.MailLabelClick());
    EXPECT_FALSE(box.HpLabelClick());
    shell.openResult = 0;
    EXPECT_FALSE(box.HpLabelClick());
    shell.openResult = 33;
    EXPECT_TRUE(box.HpLabelClick());
}

TEST(AboutBox, VersionIsTheProjectsAndTheCommentIsFilledIn) {
    // The project's version, as major.minor.
    EXPECT_EQ(std::string(kAboutVersion), std::string("Version ") + CV2_VERSION_TEXT);
    EXPECT_TRUE(std::regex_match(CV2_VERSION_TEXT, std::regex("[0-9]+\\.[0-9]+"))) << CV2_VERSION_TEXT;
    fakes::FakeShell shell;
    TAboutBox box(shell, 0);
    // The designed placeholder never reaches the user.
    EXPECT_NE(box.comments, "Comments");
    EXPECT_FALSE(box.comments.empty());
}

TEST(AboutBox, HelpFileAndGuideFollowTheExecutablesOwnName) {
    EXPECT_EQ(HelpFileOf(L"C:\\Apps\\Corvell2.exe"), L"C:\\Apps\\Corvell2.hlp");
    EXPECT_EQ(GuideFileOf(L"C:\\Apps\\Corvell2.exe"), L"C:\\Apps\\Corvell2.html");
    EXPECT_EQ(GuideFileOf(L"D:\\v1.10\\renamed copy.EXE"), L"D:\\v1.10\\renamed copy.html");
    EXPECT_EQ(HelpFileOf(L"C:\\Apps\\renamed copy.EXE"), L"C:\\Apps\\renamed copy.hlp");
    // A dot in a folder name is not the extension.
    EXPECT_EQ(HelpFileOf(L"D:\\v1.10\\Corvell2"), L"D:\\v1.10\\Corvell2.hlp");
    EXPECT_EQ(HelpFileOf(L"\\\\server\\share.x\\tools\\cv.2.exe"), L"\\\\server\\share.x\\tools\\cv.2.hlp");
}

struct MainWindowFixture : ::testing::Test, fakes::FakePlatform {
    fakes::FakeMainView view{log};
    TCV2Frm form{view, platform};
};

TEST_F(MainWindowFixture, Help1PrefersTheHelpFileBesideTheExecutable) {
    files.modulePath = L"E:\\懸賞\\MyTool.exe";
    files.files[L"E:\\懸賞\\MyTool.hlp"] = "";
    files.files[L"E:\\懸賞\\MyTool.html"] = "";
    form.Help1Click();
    ASSERT_EQ(shell.helps.size(), 1u);
    EXPECT_EQ(shell.helps[0].file, L"E:\\懸賞\\MyTool.hlp");
    EXPECT_EQ(shell.helps[0].command, 11u);
    EXPECT_EQ(shell.helps[0].data, 0u);
    EXPECT_TRUE(shell.documents.empty());
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(form.dirty);
}

TEST_F(MainWindowFixture, Help1OpensTheGuideBesideTheExecutableWhenThereIsNoHelpFile) {
    files.modulePath = L"E:\\懸賞\\MyTool.exe";
    files.files[L"E:\\懸賞\\MyTool.html"] = "<html>";
    // Another program's help file, or one of another name, is not ours.
    files.files[L"E:\\懸賞\\Corvell2.hlp"] = "";
    files.files[L"E:\\MyTool.hlp"] = "";
    form.Help1Click();
    EXPECT_TRUE(shell.helps.empty());
    ASSERT_EQ(shell.documents.size(), 1u);
    EXPECT_EQ(shell.documents[0], L"E:\\懸賞\\MyTool.html");
    EXPECT_TRUE(dialogs.boxes.empty());

    // The shell's first success is 33; 0..32 mean no program took the page.
    shell.openDocumentResult = 33;
    form.Help1Click();
    EXPECT_TRUE(dialogs.boxes.empty());
    shell.openDocumentResult = 32;
    form.Help1Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "ヘルプファイルを開けません.");
    EXPECT_EQ(dialogs.boxes[0].caption, kAppTitle);
    EXPECT_EQ(dialogs.boxes[0].style, kMbOk | kMbIconError);
    EXPECT_EQ(shell.documents.size(), 3u);
}

TEST_F(MainWindowFixture, Help1ReportsAMissingHelpFileAndCallsNoViewer) {
    files.modulePath = L"C:\\Apps\\Corvell2.exe";
    files.files[L"C:\\Apps\\Corvell2.htm"] = "";  // not the guide's name
    form.Help1Click();
    EXPECT_TRUE(shell.helps.empty());
    EXPECT_TRUE(shell.documents.empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "ヘルプファイルが見つかりません.");
    EXPECT_EQ(dialogs.boxes[0].caption, kAppTitle);
    EXPECT_EQ(dialogs.boxes[0].style, kMbOk | kMbIconError);
    EXPECT_FALSE(form.dirty);
}

TEST_F(MainWindowFixture, AboutShowsTheBoxOnceAndChangesNothing) {
    form.AboutClick();
    EXPECT_EQ(view.aboutShown, 1);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(form.dirty);
}

TEST(FileDialogFilter, PairsBecomeNulSeparatedWithADoubleNulEnd) {
    EXPECT_EQ(FileDialogFilter("ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)|*.cv2"), "ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)\0*.cv2\0\0"s);
    EXPECT_EQ(FileDialogFilter("A|*.a|B|*.b;*.c"), "A\0*.a\0B\0*.b;*.c\0\0"s);
    EXPECT_EQ(FileDialogFilter(""), ""s);
    // An unpaired description at the end would make the system read past the list.
    EXPECT_EQ(FileDialogFilter("A|*.a|B"), "A\0*.a\0\0"s);
    EXPECT_EQ(FileDialogFilter("A"), ""s);
}

TEST(FileDialogFilter, DoubleByteCharactersWhoseSecondByteIsTheBarStayWhole) {
    ASSERT_EQ(std::string("ポ"), "\x83\x7C");
    EXPECT_EQ(FileDialogFilter("ポイント(*.pt)|*.pt"), "ポイント(*.pt)\0*.pt\0\0"s);
    EXPECT_EQ(FileDialogFilter("ポ|ポ"), "ポ\0ポ\0\0"s);
}

TEST(ErrorReport, FullStopOnlyAfterBytesSortingAboveIt) {
    EXPECT_EQ(ErrorReportText("不正なインデックス"), "不正なインデックス.");  // ends in a second byte
    EXPECT_EQ(ErrorReportText("Clipboard busy"), "Clipboard busy.");
    EXPECT_EQ(ErrorReportText("Done."), "Done.");
    EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");  // '!' sorts below '.'
    EXPECT_EQ(ErrorReportText("x-"), "x-");        // '-' too
    EXPECT_EQ(ErrorReportText("ab/"), "ab/.");     // '/' sorts just above
    EXPECT_EQ(ErrorReportText("ｱ"), "ｱ.");         // single-byte katakana
    EXPECT_EQ(ErrorReportText(""), "");
}

}  // namespace
}  // namespace cv2
