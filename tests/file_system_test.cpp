// The native file system: the same contract as the Win32 one, against real folders.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/PosixPorts.h"
#include "platform/fakes/FakeFileSystem.h"
#include "tests/contracts/FileSystemContract.h"

namespace cv2 {
namespace {

class PosixFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/cv2-files-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
        wdir_ = std::wstring(dir_.begin(), dir_.end());
        files_ = MakePosixFileSystem();
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    std::string dir_;
    std::wstring wdir_;
    std::unique_ptr<FileSystem> files_;
};

// The contract, against the fake and against real folders.
struct FakeFilesHarness {
    fakes::FakeFileSystem files;
    FileSystem& Port() { return files; }
    std::wstring Dir() { return L"C:\\Work\\"; }
};

class PosixFilesHarness {
public:
    PosixFilesHarness() {
        char name[] = "/tmp/cv2-files-XXXXXX";
        if (mkdtemp(name)) dir_ = name;
    }
    ~PosixFilesHarness() {
        if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
    }
    PosixFilesHarness(const PosixFilesHarness&) = delete;
    PosixFilesHarness& operator=(const PosixFilesHarness&) = delete;
    FileSystem& Port() { return *files_; }
    std::wstring Dir() { return std::wstring(dir_.begin(), dir_.end()) + L"\\"; }

private:
    std::string dir_;
    std::unique_ptr<FileSystem> files_ = MakePosixFileSystem();
};

using FileSystemHarnesses = ::testing::Types<FakeFilesHarness, PosixFilesHarness>;
INSTANTIATE_TYPED_TEST_SUITE_P(Native, FileSystemContract, FileSystemHarnesses);

TEST_F(PosixFiles, WriteThenReadWithJapaneseNamesAndBackslashes) {
    std::wstring path = wdir_ + L"\\ユーザー表.cv2";  // "\" is a folder separator here too
    std::string bytes("\x95\x5C\0\r\n", 5);
    ASSERT_TRUE(files_->WriteFileAtomic(path, bytes));
    std::string back = "junk";
    ASSERT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, bytes);
    EXPECT_TRUE(files_->FileExists(wdir_ + L"/ユーザー表.cv2"));
    // The name on disk is UTF-8.
    std::ifstream in(dir_ + "/\xE3\x83\xA6\xE3\x83\xBC\xE3\x82\xB6\xE3\x83\xBC\xE8\xA1\xA8.cv2");
    EXPECT_TRUE(in.good());

    ASSERT_TRUE(files_->WriteFileAtomic(path, ""));
    ASSERT_TRUE(files_->ReadFile(path, back));
    EXPECT_EQ(back, "");
}

TEST_F(PosixFiles, ReadFailures) {
    std::string bytes = "kept";
    EXPECT_FALSE(files_->ReadFile(wdir_ + L"/missing", bytes));
    EXPECT_FALSE(files_->ReadFile(wdir_, bytes));  // a folder
    EXPECT_EQ(bytes, "kept");
    EXPECT_FALSE(files_->FileExists(wdir_ + L"/missing"));
    EXPECT_FALSE(files_->FileExists(wdir_));
}

TEST_F(PosixFiles, OnlyWhatIsNotThereIsAbsent) {
    EXPECT_TRUE(files_->IsAbsent(wdir_ + L"/missing.ini"));
    EXPECT_TRUE(files_->IsAbsent(wdir_ + L"/gone/missing.ini")) << "its folder is missing too";
    ASSERT_TRUE(files_->WriteFileAtomic(wdir_ + L"/a.ini", "x"));
    EXPECT_FALSE(files_->IsAbsent(wdir_ + L"/a.ini"));
    EXPECT_FALSE(files_->IsAbsent(wdir_)) << "a folder where the file should be is not absent";
    EXPECT_TRUE(files_->IsAbsent(wdir_ + L"/a.ini/below")) << "below a file";
}

TEST_F(PosixFiles, RelativePathsAreTakenFromTheCurrentFolder) {
    char* old = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    EXPECT_EQ(files_->FullPath(L"me.cv2"), wdir_ + L"/me.cv2");
    EXPECT_EQ(files_->FullPath(L"/abs/me.cv2"), L"/abs/me.cv2");
    EXPECT_EQ(files_->FullPath(L""), L"");
    ASSERT_EQ(chdir(old), 0);
    free(old);
}

TEST_F(PosixFiles, FindFilesMatchesLikeTheWindowsSearch) {
    for (const char* name : {"a.cv2", "B.CV2", "c.cv2x", "d.txt", "ab.cv2"}) std::ofstream(dir_ + "/" + name) << "x";
    mkdir((dir_ + "/x.cv2").c_str(), 0755);
    EXPECT_EQ(Sorted(files_->FindFiles(wdir_ + L"/*.cv2")),
              (std::vector<std::wstring>{L"B.CV2", L"a.cv2", L"ab.cv2", L"x.cv2"}));
    EXPECT_EQ(Sorted(files_->FindFiles(wdir_ + L"\\?.Cv2")), (std::vector<std::wstring>{L"B.CV2", L"a.cv2", L"x.cv2"}));
    EXPECT_EQ(Sorted(files_->FindFiles(wdir_ + L"/*b*")), (std::vector<std::wstring>{L"B.CV2", L"ab.cv2"}));
    EXPECT_EQ(files_->FindFiles(wdir_ + L"/d.txt"), std::vector<std::wstring>{L"d.txt"});
    EXPECT_TRUE(files_->FindFiles(wdir_ + L"/none.txt").empty());
    EXPECT_TRUE(files_->FindFiles(wdir_ + L"/missing/*.cv2").empty());
}

TEST_F(PosixFiles, ModulePathIsTheRunningExecutable) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    std::string expected(buffer, static_cast<std::size_t>(n));
    EXPECT_EQ(files_->ModulePath(), std::wstring(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace cv2
