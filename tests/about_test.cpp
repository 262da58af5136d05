#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "About/About.h"
#include "CV2MainFrm/CV2MainFrm.h"
#include "tests/support/MainFrmFixture.h"

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

struct HelpAndAbout : ::testing::Test, testing::MainFrmFixture {};

TEST_F(HelpAndAbout, Help1PrefersTheHelpFileBesideTheExecutable) {
    files.modulePath = L"E:\\懸賞\\MyTool.exe";
    files.files[L"E:\\懸賞\\MyTool.hlp"] = "";
    files.files[L"E:\\懸賞\\MyTool.html"] = "";
    frm.Help1Click();
    ASSERT_EQ(shell.helps.size(), 1u);
    EXPECT_EQ(shell.helps[0].file, L"E:\\懸賞\\MyTool.hlp");
    EXPECT_EQ(shell.helps[0].command, 11u);
    EXPECT_EQ(shell.helps[0].data, 0u);
    EXPECT_TRUE(shell.documents.empty());
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(HelpAndAbout, Help1OpensTheGuideBesideTheExecutableWhenThereIsNoHelpFile) {
    files.modulePath = L"E:\\懸賞\\MyTool.exe";
    files.files[L"E:\\懸賞\\MyTool.html"] = "<html>";
    // Another program's help file, or one of another name, is not ours.
    files.files[L"E:\\懸賞\\Corvell2.hlp"] = "";
    files.files[L"E:\\MyTool.hlp"] = "";
    frm.Help1Click();
    EXPECT_TRUE(shell.helps.empty());
    ASSERT_EQ(shell.documents.size(), 1u);
    EXPECT_EQ(shell.documents[0], L"E:\\懸賞\\MyTool.html");
    EXPECT_TRUE(view.boxes.empty());

    // The shell's first success is 33; 0..32 mean no program took the page.
    shell.openDocumentResult = 33;
    frm.Help1Click();
    EXPECT_TRUE(view.boxes.empty());
    shell.openDocumentResult = 32;
    frm.Help1Click();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "ヘルプファイルを開けません.");
    EXPECT_EQ(view.boxes[0].caption, kAppTitle);
    EXPECT_TRUE(view.boxes[0].error);
    EXPECT_EQ(shell.documents.size(), 3u);
}

TEST_F(HelpAndAbout, Help1ReportsAMissingHelpFileAndCallsNoViewer) {
    files.modulePath = L"C:\\Apps\\Corvell2.exe";
    files.files[L"C:\\Apps\\Corvell2.htm"] = "";  // not the guide's name
    frm.Help1Click();
    EXPECT_TRUE(shell.helps.empty());
    EXPECT_TRUE(shell.documents.empty());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "ヘルプファイルが見つかりません.");
    EXPECT_EQ(view.boxes[0].caption, kAppTitle);
    EXPECT_TRUE(view.boxes[0].error);
    EXPECT_FALSE(frm.Dirty());
}

TEST_F(HelpAndAbout, AboutShowsTheBoxOnceAndChangesNothing) {
    frm.AboutClick();
    EXPECT_EQ(view.aboutShown, 1);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(frm.Dirty());
}

}  // namespace
}  // namespace cv2
