// The Win32 file system against real folders: the contract the native tests check too.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/Win32Ports.h"
#include "tests/contracts/FileSystemContract.h"

namespace cv2 {
namespace {

class Win32Files : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t base[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, base), 0u);
        dir_ = std::wstring(base) + L"cv2fs" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(GetTickCount64()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr));
        files_ = MakeWin32FileSystem();
    }
    void TearDown() override {
        for (const std::wstring& name : files_->FindFiles(dir_ + L"*")) {
            if (name == L"." || name == L"..") continue;
            std::wstring path = dir_ + name;
            if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(dir_.c_str());
    }

    std::vector<std::wstring> Entries() {
        std::vector<std::wstring> names;
        for (const std::wstring& name : files_->FindFiles(dir_ + L"*"))
            if (name != L"." && name != L"..") names.push_back(name);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::wstring dir_;
    std::unique_ptr<FileSystem> files_;
};

// The contract the fake and the POSIX port are held to, in a real folder.
class Win32FilesHarness {
public:
    Win32FilesHarness() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        dir_ = std::wstring(base) + L"cv2contract" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(GetTickCount64()) + L"\\";
        CreateDirectoryW(dir_.c_str(), nullptr);
    }
    ~Win32FilesHarness() {
        for (const std::wstring& name : files_->FindFiles(dir_ + L"*")) DeleteFileW((dir_ + name).c_str());
        RemoveDirectoryW(dir_.c_str());
    }
    Win32FilesHarness(const Win32FilesHarness&) = delete;
    Win32FilesHarness& operator=(const Win32FilesHarness&) = delete;
    FileSystem& Port() { return *files_; }
    std::wstring Dir() { return dir_; }

private:
    std::unique_ptr<FileSystem> files_ = MakeWin32FileSystem();
    std::wstring dir_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FilesHarness);

TEST_F(Win32Files, AtomicWriteReplacesTheFileAndLeavesNothingBehind) {
    std::wstring path = dir_ + L"ユーザー.cv2";
    ASSERT_TRUE(files_->WriteFileAtomic(path, "old\r\n"));
    std::string bytes("\x95\x5C\0new\r\n", 7);
    ASSERT_TRUE(files_->WriteFileAtomic(path, bytes));
    std::string back;
    ASSERT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"ユーザー.cv2"});

    ASSERT_TRUE(files_->WriteFileAtomic(path, ""));
    ASSERT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, "");
}

TEST_F(Win32Files, FailedWriteKeepsTheOldFile) {
    std::wstring path = dir_ + L"u.cv2";
    ASSERT_TRUE(files_->WriteFileAtomic(path, "old\r\n"));
    ASSERT_TRUE(CreateDirectoryW((dir_ + L"sub.cv2").c_str(), nullptr));
    EXPECT_FALSE(files_->WriteFileAtomic(dir_ + L"sub.cv2", "x"));
    EXPECT_FALSE(files_->WriteFileAtomic(dir_ + L"missing\\u.cv2", "x"));

    // A file someone holds open without sharing cannot be replaced.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files_->WriteFileAtomic(path, "new\r\n"));
    CloseHandle(held);

    std::string back;
    ASSERT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, "old\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"sub.cv2", L"u.cv2"}));
}

// A user file in a folder deeper than MAX_PATH (OneDrive), named in the \\?\ form, which needs
// no system setting. The temporary file beside it ("~cv2<process number>-<n>.tmp") once had to
// be in a folder shorter than MAX_PATH - 14 characters; a name that is taken is passed over
// and what it holds left alone.
TEST_F(Win32Files, AtomicWriteWorksInAFolderDeeperThanMaxPathBesideATakenName) {
    std::vector<std::wstring> folders;
    std::wstring deep = L"\\\\?\\" + dir_;
    while (deep.size() < MAX_PATH + 40) {
        deep += std::wstring(40, L'd') + std::to_wstring(folders.size()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << GetLastError();
        folders.push_back(deep);
    }
    wchar_t taken[32];
    swprintf(taken, 32, L"~cv2%lx-0.tmp", static_cast<unsigned long>(GetCurrentProcessId()));
    const std::wstring path = deep + L"ユーザー.cv2";
    ASSERT_TRUE(files_->WriteFileAtomic(path, "someone else's"));
    ASSERT_TRUE(MoveFileW(path.c_str(), (deep + taken).c_str()));

    EXPECT_TRUE(files_->WriteFileAtomic(path, "old\r\n"));
    EXPECT_TRUE(files_->WriteFileAtomic(path, "new\r\n"));
    std::string back;
    EXPECT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, "new\r\n");
    EXPECT_TRUE(files_->ReadFile(deep + taken, back));
    EXPECT_EQ(back, "someone else's");
    EXPECT_EQ(files_->FindFiles(deep + L"*.*").size(), 4u);  // ".", ".." and the two files

    DeleteFileW(path.c_str());
    DeleteFileW((deep + taken).c_str());
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) RemoveDirectoryW(folder->c_str());
}

TEST_F(Win32Files, ReadFailures) {
    std::string bytes = "kept";
    EXPECT_FALSE(files_->ReadFile(dir_ + L"missing.cv2", bytes));
    EXPECT_EQ(bytes, "kept");
    EXPECT_FALSE(files_->FileExists(dir_ + L"missing.cv2"));

    EXPECT_TRUE(files_->IsAbsent(dir_ + L"missing.cv2"));
    EXPECT_TRUE(files_->IsAbsent(dir_ + L"gone\\missing.cv2"));
}

// Another program (backup, sync, virus scanner) with the file open.
class HeldFile : public Win32Files {
protected:
    void Hold(DWORD access, DWORD share) {
        holder_ = CreateFileW(path_.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder_, INVALID_HANDLE_VALUE);
    }
    void SetUp() override {
        Win32Files::SetUp();
        path_ = dir_ + L"held.ini";
        ASSERT_TRUE(files_->WriteFileAtomic(path_, "old"));
    }
    void TearDown() override {
        if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
        Win32Files::TearDown();
    }
    std::string Read() {
        std::string bytes;
        EXPECT_TRUE(files_->ReadFile(path_, bytes));
        return bytes;
    }
    std::wstring path_;
    HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_F(HeldFile, AFileOpenElsewhereWithSharingIsReadAndReplacedWholeOrNotAtAll) {
    Hold(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    EXPECT_EQ(Read(), "old");
    // Wine refuses to rename over a file that is open, even with delete sharing; newer
    // Windows replaces it. Either way the file is whole and nothing is left beside it.
    const bool replaced = files_->WriteFileAtomic(path_, "new");
    EXPECT_EQ(Read(), replaced ? "new" : "old");
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"held.ini"});
}

TEST_F(HeldFile, AFileWrittenElsewhereWithoutDeleteSharingIsReadButKeptAsItIs) {
    Hold(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(Read(), "old");
    // The replace is tried for a while and then given up; the file and folder stay as they were.
    EXPECT_FALSE(files_->WriteFileAtomic(path_, "new"));
    EXPECT_EQ(Read(), "old");
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"held.ini"});
}

TEST_F(HeldFile, AFileHeldWithoutSharingIsUnreadableButNotAbsent) {
    Hold(GENERIC_READ, 0);
    std::string bytes = "kept";
    EXPECT_FALSE(files_->ReadFile(path_, bytes));
    EXPECT_EQ(bytes, "kept");
    EXPECT_FALSE(files_->IsAbsent(path_));
    EXPECT_FALSE(files_->WriteFileAtomic(path_, "new"));
    CloseHandle(holder_);
    holder_ = INVALID_HANDLE_VALUE;
    EXPECT_EQ(Read(), "old");
}

TEST_F(Win32Files, RelativePathsAreTakenFromTheCurrentFolder) {
    wchar_t old[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, old), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(dir_.c_str()));
    EXPECT_EQ(files_->FullPath(L"sub\\me.cv2"), dir_ + L"sub\\me.cv2");
    EXPECT_EQ(files_->FullPath(L"C:\\x\\me.cv2"), L"C:\\x\\me.cv2");
    SetCurrentDirectoryW(old);
}

TEST_F(Win32Files, FindFilesAcceptsEveryAttribute) {
    for (const wchar_t* name : {L"a.cv2", L"B.CV2", L"d.txt"}) ASSERT_TRUE(files_->WriteFileAtomic(dir_ + name, "x"));
    ASSERT_TRUE(CreateDirectoryW((dir_ + L"x.cv2").c_str(), nullptr));
    ASSERT_TRUE(files_->WriteFileAtomic(dir_ + L"h.cv2", "x"));
    SetFileAttributesW((dir_ + L"h.cv2").c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::vector<std::wstring> found = files_->FindFiles(dir_ + L"*.cv2");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::wstring>{L"B.CV2", L"a.cv2", L"h.cv2", L"x.cv2"}));
    EXPECT_TRUE(files_->FindFiles(dir_ + L"*.none").empty());
    EXPECT_TRUE(files_->FileExists(dir_ + L"a.cv2"));
    EXPECT_FALSE(files_->FileExists(dir_ + L"x.cv2"));
    SetFileAttributesW((dir_ + L"h.cv2").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32Files, ModulePathNamesThisProgram) {
    std::wstring path = files_->ModulePath();
    ASSERT_GT(path.size(), 4u);
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    EXPECT_EQ(CompareStringOrdinal(name.c_str(), -1, L"cv2_wintests.exe", -1, TRUE), CSTR_EQUAL);
    EXPECT_TRUE(files_->FileExists(path));
}

}  // namespace
}  // namespace cv2
