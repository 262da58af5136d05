// The main window's questions and file dialogs: texts in code page 932,
// the answer, and the file dialogs' title, filter, default extension, folder and name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Win32Ports.h"
#include "tests/support/MainWindowFixture_win.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

using testing::DriveModal;
using testing::ExpectFinished;
using testing::InNewDialog;
using testing::ModalRun;

std::wstring TextOf(HWND hwnd) {
    std::wstring t(1024, L'\0');
    t.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, t.data(), 1024)));
    return t;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"cv2-dialogs-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

class MainWindowDialogs : public testing::MainWindowFixture {};

TEST_F(MainWindowDialogs, MessageBoxShowsShiftJisTextsAndReturnsTheButton) {
    std::wstring caption, text;
    Answer answer = Answer::Cancel;
    ModalRun s =
        DriveModal([&] { answer = window.Ask("項目「ソ表」を削除しますか？\n\r続けます", "削除確認", Choices::YesNo); },
                   {[&](HWND box) {
                       caption = TextOf(box);
                       text = TextOf(GetDlgItem(box, 0xFFFF));  // the message's static control
                       PostMessageW(box, WM_COMMAND, IDNO, 0);
                   }});
    ExpectFinished(s);
    EXPECT_EQ(caption, L"削除確認");
    // "ソ" and "表" end in 0x5C: a conversion that treated it as "\" would garble them.
    EXPECT_EQ(text, L"項目「ソ表」を削除しますか？\n\r続けます");
    EXPECT_EQ(answer, Answer::No);
}

// Which of Yes, No, Cancel and OK a box offers, as "YNCO" with "-" for a missing one.
std::string ButtonsOf(HWND box) {
    std::string out;
    for (auto [id, mark] : {std::pair{IDYES, 'Y'}, {IDNO, 'N'}, {IDCANCEL, 'C'}, {IDOK, 'O'}})
        out += GetDlgItem(box, id) ? mark : '-';
    return out;
}

TEST_F(MainWindowDialogs, EachKindOfBoxOffersItsButtonsAndClosingMeansCancel) {
    std::string buttons;
    Answer answer = Answer::Yes;
    auto closeBox = [&](HWND box) {
        buttons = ButtonsOf(box);
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    DriveModal([&] { answer = window.Ask("q", "c", Choices::YesNoCancel); }, {closeBox});
    EXPECT_EQ(buttons, "YNC-");
    EXPECT_EQ(answer, Answer::Cancel);

    DriveModal([&] { answer = window.Ask("q", "c", Choices::YesNo); }, {[&](HWND box) {
                   buttons = ButtonsOf(box);
                   PostMessageW(box, WM_COMMAND, IDYES, 0);
               }});
    EXPECT_EQ(buttons, "YN--");
    EXPECT_EQ(answer, Answer::Yes);

    ModalRun s = DriveModal([&] { window.ShowError("e", "c"); }, {closeBox});
    EXPECT_EQ(buttons, "---O");
    ExpectFinished(s);
}

FileDialogSpec UserFileSpec(bool save, const std::wstring& dir) {
    FileDialogSpec spec;
    spec.title = save ? "ﾕｰｻﾞｰﾌｧｲﾙを保存" : "ﾕｰｻﾞｰﾌｧｲﾙを開く";
    spec.filter = "ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)|*.cv2";
    spec.defaultExt = "cv2";
    spec.initialDir = dir;
    spec.save = save;
    return spec;
}

// The file-name field of an Explorer-style dialog: a combo box (cmb13) or an edit (edt1).
HWND NameField(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x47C);
    if (combo) {
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        return edit ? edit : combo;
    }
    return GetDlgItem(dialog, 0x480);
}

TEST_F(MainWindowDialogs, SaveDialogStartsInTheFolderWithTheNameAndAddsTheExtension) {
    std::wstring dir = TempFolder();
    std::wstring name = L"新規ﾕｰｻﾞｰ";
    std::wstring title, filterShown, nameShown;
    bool ok = false;
    ModalRun s = DriveModal([&] { ok = window.RunFileDialog(UserFileSpec(true, dir), name); }, {[&](HWND dialog) {
                                title = TextOf(dialog);
                                filterShown = TextOf(GetDlgItem(dialog, 0x470));
                                nameShown = TextOf(NameField(dialog));
                                // Accept the offered name as it is.
                                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                            }});
    ExpectFinished(s);
    EXPECT_EQ(title, L"ﾕｰｻﾞｰﾌｧｲﾙを保存");
    EXPECT_EQ(filterShown, L"ﾕｰｻﾞｰﾌｧｲﾙ(*.cv2)");
    EXPECT_EQ(nameShown, L"新規ﾕｰｻﾞｰ");
    ASSERT_TRUE(ok);
    EXPECT_EQ(name, dir + L"\\新規ﾕｰｻﾞｰ.cv2");
    RemoveDirectoryW(dir.c_str());
}

TEST_F(MainWindowDialogs, SaveDialogAsksBeforeReplacingAFile) {
    std::wstring dir = TempFolder();
    std::wstring file = dir + L"\\既存.cv2";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    std::wstring name = L"既存";
    bool ok = false;
    ModalRun s = DriveModal([&] { ok = window.RunFileDialog(UserFileSpec(true, dir), name); },
                            {[&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
                             InNewDialog([&](HWND question) { PostMessageW(question, WM_COMMAND, IDYES, 0); })});
    EXPECT_FALSE(s.timedOut);
    EXPECT_EQ(s.stepsRun, 2u) << "no question before replacing the file";
    ASSERT_TRUE(ok);
    EXPECT_EQ(name, file);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

TEST_F(MainWindowDialogs, OpenDialogReturnsTheChosenFileAndCancelKeepsTheName) {
    std::wstring dir = TempFolder();
    std::wstring file = dir + L"\\ソ表.cv2";  // a name with 0x5C second bytes
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);

    std::wstring name;
    std::wstring title;
    bool ok = false;
    ModalRun s = DriveModal([&] { ok = window.RunFileDialog(UserFileSpec(false, dir), name); }, {[&](HWND dialog) {
                                title = TextOf(dialog);
                                // Wine's open dialog checks that the file exists before it adds the
                                // default extension, so the full name is typed.
                                SetWindowTextW(NameField(dialog), L"ソ表.cv2");
                                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                            }});
    ExpectFinished(s);
    EXPECT_EQ(title, L"ﾕｰｻﾞｰﾌｧｲﾙを開く");
    ASSERT_TRUE(ok);
    EXPECT_EQ(name, file);

    std::wstring kept = L"前の名前";
    s = DriveModal([&] { ok = window.RunFileDialog(UserFileSpec(false, dir), kept); },
                   {[&](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }});
    ExpectFinished(s);
    EXPECT_FALSE(ok);
    EXPECT_EQ(kept, L"前の名前");

    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
}  // namespace cv2
