#include <gtest/gtest.h>

#include <string>

#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kRecovery = L"C:\\Data\\me.cv2.recovery";
const std::wstring kExeRecovery = L"C:\\Apps\\Corvell2.exe.recovery";

class Recovery : public ::testing::Test, public testing::MainFrmFixture {
protected:
    // The tree, then a NUL, then its settings, as the program writes a recovery file.
    static std::string RecoveryBytes(const std::string& tree, const std::string& ini) { return tree + '\0' + ini; }
    IniFile StoredSettings(const std::wstring& path) {
        const std::string& bytes = files.files[path];
        return IniFile::Parse(bytes.substr(bytes.find('\0') + 1));
    }
};

TEST_F(Recovery, WrittenOnTheTimerAfterAChangeWithItsIconsAndRemovedBySave) {
    BuildSmallTree();
    SetFileName(kUser);
    view.selection = At(5);
    frm.MainTreeEdited(At(5), "B2");
    EXPECT_TRUE(view.recoveryTimer);
    EXPECT_EQ(view.shutdownReason, "保存されていない変更があります");
    EXPECT_TRUE(files.writes.empty()) << "nothing before the timer";
    frm.Im11Click(7);
    frm.MainTreeEdited(At(5), "B3");
    EXPECT_EQ(view.recoveryTimerStarts, 1) << "later changes ride with the first, never putting the write off";

    frm.RecoveryTimerTimer();
    EXPECT_FALSE(view.recoveryTimer);
    const std::string& bytes = files.files.at(kRecovery);
    EXPECT_EQ(bytes.substr(0, bytes.find('\0')), "A\r\n\ta1\r\n\t\tx\r\n\ta2\r\n\t\ty\r\nB3\r\n\tb1\r\n");
    EXPECT_EQ(StoredSettings(kRecovery).ReadInteger("Image", "index5", 0), 7);
    EXPECT_EQ(StoredSettings(kRecovery).ReadInteger("Window", "NodeSelect", 0), 5);

    frm.Im11Click(3);
    EXPECT_TRUE(view.recoveryTimer) << "the icons are in the recovery file too";
    view.fileAnswers = {{true, kUser}};
    frm.SaveBtnClick();
    EXPECT_FALSE(files.files.count(kRecovery));
    EXPECT_FALSE(view.recoveryTimer);
    EXPECT_EQ(view.shutdownReason, "");
}

TEST_F(Recovery, AnUntitledTreeIsKeptBesideTheExecutableUntilTheChangesAreGivenUp) {
    frm.AddNodeMenuClick();
    frm.RecoveryTimerTimer();
    ASSERT_TRUE(files.files.count(kExeRecovery));
    view.answers = {Answer::No};
    EXPECT_TRUE(frm.FormCloseQuery());
    EXPECT_FALSE(files.files.count(kExeRecovery));
}

TEST_F(Recovery, OfferedAtStartWhenNewerThanItsFile) {
    const std::string ini = "[Window]\r\nExpand=0\r\nNodeSelect=1\r\n[Image]\r\nindex1=9\r\n";
    struct Case {
        const char* name;
        std::int64_t recoveryTime;  // the user file's is 5
        bool readable;
        Answer answer;
        const char* tree;   // after the start
        const char* boxes;  // Q: the question, E: an error
        bool dirty;
        std::wstring recoveryAt;  // where the recovery file is afterwards
    } cases[] = {
        {"yes", 6, true, Answer::Yes, "P+|.Q:9", "Q", true, kRecovery},
        {"no", 6, true, Answer::No, "S", "Q", false, kRecovery + L".old"},
        {"older", 5, true, Answer::Yes, "S", "", false, kRecovery},
        {"unreadable", 6, false, Answer::Yes, "S", "E", false, kRecovery},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainFrmFixture f;
        f.files.files = {{kUser, "S\r\n"},
                         {kRecovery, RecoveryBytes("P\r\n\tQ\r\n", ini)},
                         {kRecovery + L".old", "declined before"}};
        f.files.times = {{kUser, 5}, {kRecovery, c.recoveryTime}};
        if (!c.readable) f.files.unreadable.insert(kRecovery);
        f.view.answers = {c.answer};
        f.frm.FormCreate({kUser});
        f.frm.FormShow();
        EXPECT_EQ(f.Dump(), c.tree);
        std::string boxes;
        for (const auto& box : f.view.boxes) boxes += box.error ? "E" : "Q";
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(f.frm.Dirty(), c.dirty);
        EXPECT_EQ(f.frm.FileName(), kUser);
        EXPECT_TRUE(f.files.files.count(c.recoveryAt));
        EXPECT_EQ(f.files.files.count(kRecovery + L".old") && f.files.files[kRecovery + L".old"] == "declined before",
                  std::string(c.name) != "no")
            << "only the last declined one is kept";
        // A recovery that could not be read is never written over, and a save leaves it.
        f.frm.AddNodeMenuClick();
        f.frm.RecoveryTimerTimer();
        f.view.fileAnswers = {{true, kUser}};
        f.frm.SaveBtnClick();
        EXPECT_EQ(f.files.files.count(kRecovery), std::string(c.name) == "unreadable" ? 1u : 0u);
    }
    MainFrmFixture f;
    f.files.files = {{kUser, "S\r\n"}, {kRecovery, "P\r\n\t\t\tQ\r\n"}};
    f.files.times = {{kUser, 5}, {kRecovery, 6}};
    f.frm.FormCreate({kUser});
    ASSERT_EQ(f.view.boxes.size(), 1u);
    EXPECT_EQ(f.view.boxes[0].text, "C:\\Data\\me.cv2.recovery\n\rを読み込めませんでした。") << "a broken tree";
    EXPECT_EQ(f.view.boxes[0].caption, "Corvell2！");
}

TEST_F(Recovery, TheQuestionAndAnUntitledTreeFromAFirstRun) {
    files.files[kExeRecovery] = RecoveryBytes("W\r\n", "");
    view.answers = {Answer::Yes};
    frm.FormCreate({});
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "前回保存されていない変更が残っています。復元しますか？");
    EXPECT_EQ(view.boxes[0].caption, "Corvell2！");
    EXPECT_EQ(view.boxes[0].choices, Choices::YesNo);
    EXPECT_EQ(view.wizardShown, 0) << "the recovered tree instead of a first run's wizard";
    EXPECT_EQ(Dump(), "W");
    EXPECT_TRUE(frm.Dirty());
    EXPECT_EQ(frm.FileName(), L"");
}

TEST_F(Recovery, ACriticalEndAsksNothingAndKeepsTheTreeForTheNextStart) {
    BuildSmallTree();
    SetFileName(kUser);
    MarkUnsaved();
    EXPECT_TRUE(frm.FormQueryEndSession(true));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(files.files.count(L"C:\\Apps\\Corvell2.ini") && files.files.count(L"C:\\Data\\me.ini"));
    frm.FormEndSession(true);
    EXPECT_EQ(files.files.at(kRecovery).substr(0, 3), "A\r\n");
    EXPECT_FALSE(files.files.count(kUser)) << "the user file is not written unasked";

    // A session that goes on after the changes were given up gets its recovery file back.
    MainFrmFixture f;
    f.BuildSmallTree();
    f.MarkUnsaved();
    f.view.answers = {Answer::No};
    EXPECT_TRUE(f.frm.FormQueryEndSession(false));
    EXPECT_FALSE(f.view.recoveryTimer);
    f.frm.FormEndSession(false);
    EXPECT_TRUE(f.view.recoveryTimer);
}

}  // namespace
}  // namespace cv2::testing
