#include <gtest/gtest.h>

#include <string>

#include "CV2MainFrm/Menus.h"
#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kExeIni = L"C:\\Apps\\Corvell2.ini";

class RecentFileList : public ::testing::Test, public testing::MainFrmFixture {
protected:
    std::wstring File(int n) { return L"C:\\Family\\member" + std::to_wstring(n) + L".cv2"; }
    void Open(const std::wstring& path) {
        files.files[path] = "A\r\n";
        view.fileAnswers.push_back({true, path});
        frm.OpenBtnClick();
    }
    bool Shown() { return frm.NodePopupPopup()[static_cast<int>(NodeMenu::RecentMenu)]; }
};

TEST_F(RecentFileList, TheEightFilesOpenedOrSavedLastNewestFirstTheCurrentOneChecked) {
    EXPECT_FALSE(Shown()) << "nothing to list";
    for (int n = 1; n <= 9; ++n) Open(File(n));
    Open(L"c:\\family\\MEMBER5.cv2");  // the same file in other letters moves up
    view.fileAnswers = {{true, L"C:\\Family\\A&B.cv2"}};
    frm.SaveBtnClick();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(frm.RecentFileList(), (std::vector<std::wstring>{L"C:\\Family\\A&B.cv2", L"c:\\family\\MEMBER5.cv2",
                                                               File(9), File(8), File(7), File(6), File(4), File(3)}));
    const std::vector<RecentMenuEntry> menu = frm.RecentFilesMenu();
    ASSERT_EQ(menu.size(), 8u);
    EXPECT_EQ(menu[0].caption, L"&1 A&&B.cv2 (C:\\Family)");
    for (std::size_t i = 0; i < menu.size(); ++i) EXPECT_EQ(menu[i].checked, i == 0) << i;

    // Kept beside the executable at once, and read back by the next start.
    MainFrmFixture next;
    next.files.files = {{kExeIni, files.files.at(kExeIni)}, {File(4), "A\r\n"}};
    next.frm.FormCreate({File(4)});
    EXPECT_EQ(next.frm.RecentFileList().size(), 8u);
    EXPECT_EQ(next.frm.RecentFileList().front(), File(4)) << "the file opened at start-up";
}

TEST_F(RecentFileList, ChoosingOneOpensItAfterTheSaveQuestionAndAVanishedOneIsOfferedForRemoval) {
    Open(File(1));
    Open(File(2));
    frm.AddNodeMenuClick();
    view.answers = {Answer::Cancel, Answer::No};
    frm.RecentFileClick(1);
    EXPECT_EQ(frm.FileName(), File(2)) << "Cancel stops";
    frm.RecentFileClick(1);
    EXPECT_EQ(frm.FileName(), File(1));
    EXPECT_EQ(view.boxes.size(), 2u);

    files.files.erase(File(2));
    view.answers = {Answer::No, Answer::Yes};
    frm.RecentFileClick(1);
    ASSERT_EQ(view.boxes.size(), 3u);
    EXPECT_EQ(view.boxes[2].text,
              "「C:\\Family\\member2.cv2」が見つかりません。\n\r最近使ったファイルの一覧から削除しますか？");
    EXPECT_EQ(view.boxes[2].caption, "最近使ったファイル");
    EXPECT_EQ(view.boxes[2].choices, Choices::YesNo);
    EXPECT_EQ(frm.RecentFileList().size(), 2u) << "No keeps it";
    frm.RecentFileClick(1);
    EXPECT_EQ(frm.RecentFileList(), std::vector<std::wstring>{File(1)});
    EXPECT_EQ(IniFile::Parse(files.files.at(kExeIni)).ReadString("Recent", "File2", "?"), "");
    EXPECT_EQ(frm.FileName(), File(1)) << "nothing was opened";
}

}  // namespace
}  // namespace cv2::testing
