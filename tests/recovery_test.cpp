#include <gtest/gtest.h>

#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kRecovery = L"C:\\Data\\me.cv2.recovery";

class Recovery : public ::testing::Test, public testing::MainFrmFixture {};

TEST_F(Recovery, WrittenOnTheTimerAfterAChangeWithItsIconsAndRemovedBySave) {
    BuildSmallTree();
    SetFileName(kUser);
    view.selection = At(5);
    frm.MainTreeEdited(At(5), "B2");
    EXPECT_TRUE(view.recoveryTimer);
    EXPECT_EQ(view.shutdownReason, "保存されていない変更があります");
    frm.Im11Click(7);
    frm.MainTreeEdited(At(5), "B3");
    EXPECT_EQ(view.recoveryTimerStarts, 1) << "later changes ride with the first, never putting the write off";
    EXPECT_TRUE(files.writes.empty()) << "nothing before the timer";

    frm.RecoveryTimerTimer();
    EXPECT_FALSE(view.recoveryTimer);
    const std::string& bytes = files.files.at(kRecovery);
    EXPECT_EQ(bytes.substr(0, bytes.find('\0')), "A\r\n\ta1\r\n\t\tx\r\n\ta2\r\n\t\ty\r\nB3\r\n\tb1\r\n");
    EXPECT_EQ(IniFile::Parse(bytes.substr(bytes.find('\0') + 1)).ReadInteger("Image", "index5", 0), 7);

    frm.Im11Click(3);
    EXPECT_TRUE(view.recoveryTimer) << "the icons are in the recovery file too";
    view.fileAnswers = {{true, kUser}};
    frm.SaveBtnClick();
    EXPECT_FALSE(files.files.count(kRecovery));
    EXPECT_FALSE(view.recoveryTimer);
    EXPECT_EQ(view.shutdownReason, "");
}

TEST_F(Recovery, OfferedAtStartWhenNewerThanItsFile) {
    const std::string ini = "[Window]\r\nExpand=0\r\n[Image]\r\nindex1=9\r\n";
    struct Case {
        const char* name;
        std::int64_t recoveryTime;  // the user file's is 5
        std::string tree;           // of the recovery file
        Answer answer;
        const char* shown;  // after the start
        std::string boxes;  // Q the question, E the error report
        bool dirty;
        std::wstring recoveryAt;  // where the recovery file is afterwards
    } cases[] = {
        {"yes", 6, "P\r\n\tQ\r\n", Answer::Yes, "P+|.Q:9", "Q", true, kRecovery},
        {"no", 6, "P\r\n\tQ\r\n", Answer::No, "S", "Q", false, kRecovery + L".old"},
        {"older", 5, "P\r\n\tQ\r\n", Answer::Yes, "S", "", false, kRecovery},
        {"broken", 6, "P\r\n\t\tQ\r\n", Answer::Yes, "S", "E", false, kRecovery},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFrmFixture f;
        f.files.files = {{kUser, "S\r\n"}, {kRecovery, c.tree + '\0' + ini}, {kRecovery + L".old", "declined"}};
        f.files.times = {{kUser, 5}, {kRecovery, c.recoveryTime}};
        f.view.answers = {c.answer};
        f.frm.FormCreate({kUser});
        f.frm.FormShow();
        EXPECT_EQ(f.Dump(), c.shown);
        EXPECT_EQ(f.frm.Dirty(), c.dirty);
        EXPECT_EQ(f.frm.FileName(), kUser);
        EXPECT_TRUE(f.files.files.count(c.recoveryAt));
        EXPECT_EQ(f.files.files[kRecovery + L".old"] == "declined", c.answer != Answer::No)
            << "only the last one declined is kept aside";
        std::string boxes;
        for (const auto& box : f.view.boxes) boxes += box.error ? "E" : "Q";
        EXPECT_EQ(boxes, c.boxes);
        if (c.boxes == "E") {
            EXPECT_EQ(f.view.boxes[0].text, "C:\\Data\\me.cv2.recovery\n\rを読み込めませんでした。");
        }
        // What could not be read is never written over, nor removed by a save.
        f.frm.AddNodeMenuClick();
        f.frm.RecoveryTimerTimer();
        f.view.fileAnswers = {{true, kUser}};
        f.frm.SaveBtnClick();
        EXPECT_EQ(f.files.files.count(kRecovery), c.boxes == "E" ? 1u : 0u);
    }
}

TEST_F(Recovery, AnUntitledTreeFromAFirstRunComesBackInsteadOfTheWizard) {
    files.files[L"C:\\Apps\\Corvell2.exe.recovery"] = "W\r\n";
    view.answers = {Answer::Yes};
    frm.FormCreate({});
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "前回保存されていない変更が残っています。復元しますか？");
    EXPECT_EQ(view.boxes[0].caption, "Corvell2！");
    EXPECT_EQ(view.boxes[0].choices, Choices::YesNo);
    EXPECT_EQ(view.wizardShown, 0);
    EXPECT_EQ(Dump(), "W");
    EXPECT_TRUE(frm.Dirty());
    EXPECT_EQ(frm.FileName(), L"");
}

TEST_F(Recovery, NoneForATreeSavedByTheQuestionWhenTheCommandThatAskedStops) {
    BuildSmallTree();
    SetFileName(kUser);
    frm.MainTreeEdited(At(5), "B2");
    view.answers = {Answer::Yes};
    view.fileAnswers = {{false, L""}};  // the Open dialog cancelled
    frm.OpenBtnClick();
    EXPECT_FALSE(view.recoveryTimer);
    EXPECT_FALSE(files.files.count(kRecovery));
}

TEST_F(Recovery, ACriticalEndAsksNothingAndKeepsTheTreeForTheNextStart) {
    BuildSmallTree();
    SetFileName(kUser);
    MarkUnsaved();
    // A session that goes on after all, the changes given up, gets its recovery file back.
    view.answers = {Answer::No};
    EXPECT_TRUE(frm.FormQueryEndSession(false));
    EXPECT_FALSE(view.recoveryTimer);
    frm.FormEndSession(false);
    EXPECT_TRUE(view.recoveryTimer);

    view.boxes.clear();
    EXPECT_TRUE(frm.FormQueryEndSession(true));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(files.files.count(L"C:\\Apps\\Corvell2.ini") && files.files.count(L"C:\\Data\\me.ini"));
    frm.FormEndSession(true);
    EXPECT_EQ(files.files.at(kRecovery).substr(0, 3), "A\r\n");
    EXPECT_FALSE(files.files.count(kUser)) << "the user file is not written unasked";
}

}  // namespace
}  // namespace cv2::testing
