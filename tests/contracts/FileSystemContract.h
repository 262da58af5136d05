#pragma once
// What every FileSystem port does, written once and run against the fake and the POSIX
// port natively and against the Win32 port under Wine.
//
// A harness type H provides:
//   FileSystem& Port();
//   std::wstring Dir();   an empty folder of the test's own, with its trailing "\"
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/FileSystem.h"

namespace cv2 {

template <class H>
class FileSystemContract : public ::testing::Test {
protected:
    H h;
    FileSystem& Files() { return h.Port(); }
    // The matches in name order, without the "." and ".." that the system lists for "*".
    std::vector<std::wstring> Found(const std::wstring& mask) {
        std::vector<std::wstring> names;
        for (const std::wstring& name : Files().FindFiles(h.Dir() + mask))
            if (name != L"." && name != L"..") names.push_back(name);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, WhatIsWrittenIsReadBackByteForByteAndReplacedWhole) {
    const std::wstring path = this->h.Dir() + L"ユーザー表.cv2";
    const std::string bytes("\x95\x5C\0\r\n", 5);  // "表" ends in the byte of "\"
    ASSERT_TRUE(this->Files().WriteFileAtomic(path, bytes));
    std::string back = "junk";
    ASSERT_TRUE(this->Files().ReadFile(path, back));
    EXPECT_EQ(back, bytes);
    EXPECT_TRUE(this->Files().FileExists(path));
    EXPECT_FALSE(this->Files().IsAbsent(path));

    ASSERT_TRUE(this->Files().WriteFileAtomic(path, ""));
    ASSERT_TRUE(this->Files().ReadFile(path, back));
    EXPECT_EQ(back, "");
    EXPECT_EQ(this->Found(L"*"), std::vector<std::wstring>{L"ユーザー表.cv2"}) << "nothing left beside it";
}

TYPED_TEST_P(FileSystemContract, WhatIsNotThereIsAbsentAndReadsNothing) {
    std::string bytes = "kept";
    EXPECT_FALSE(this->Files().ReadFile(this->h.Dir() + L"missing.cv2", bytes));
    EXPECT_EQ(bytes, "kept");
    EXPECT_FALSE(this->Files().FileExists(this->h.Dir() + L"missing.cv2"));
    EXPECT_TRUE(this->Files().IsAbsent(this->h.Dir() + L"missing.cv2"));
    EXPECT_TRUE(this->Files().IsAbsent(this->h.Dir() + L"gone\\missing.ini")) << "its folder is missing too";
}

TYPED_TEST_P(FileSystemContract, SearchMasksMatchAsTheWindowsSearchDoes) {
    for (const wchar_t* name : {L"a.cv2", L"B.CV2", L"ab.cv2", L"d.txt"})
        ASSERT_TRUE(this->Files().WriteFileAtomic(this->h.Dir() + name, "x"));
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(this->Found(L"*.cv2"), (Names{L"B.CV2", L"a.cv2", L"ab.cv2"}));
    EXPECT_EQ(this->Found(L"?.Cv2"), (Names{L"B.CV2", L"a.cv2"}));
    EXPECT_EQ(this->Found(L"*b*"), (Names{L"B.CV2", L"ab.cv2"}));
    EXPECT_EQ(this->Found(L"*.*"), (Names{L"B.CV2", L"a.cv2", L"ab.cv2", L"d.txt"}));
    EXPECT_EQ(this->Found(L"d.txt"), Names{L"d.txt"});
    EXPECT_EQ(this->Found(L"none.txt"), Names{});
    EXPECT_EQ(this->Found(L"missing\\*.cv2"), Names{});
}

TYPED_TEST_P(FileSystemContract, RenameReplacesRemoveIsDoneWhenNothingIsLeftAndWriteTimesGrow) {
    FileSystem& files = this->Files();
    const std::wstring a = this->h.Dir() + L"a.cv2.recovery", b = this->h.Dir() + L"a.cv2.recovery.old";
    ASSERT_TRUE(files.WriteFileAtomic(b, "older"));
    ASSERT_TRUE(files.WriteFileAtomic(a, "newer"));
    const auto older = files.WriteTime(b), newer = files.WriteTime(a);
    ASSERT_TRUE(older && newer);
    EXPECT_LE(*older, *newer);
    EXPECT_FALSE(files.WriteTime(this->h.Dir() + L"missing.cv2"));

    EXPECT_TRUE(files.RenameFile(a, b)) << "over the file there";
    std::string bytes;
    EXPECT_TRUE(files.ReadFile(b, bytes));
    EXPECT_EQ(bytes, "newer");
    EXPECT_TRUE(files.IsAbsent(a));
    EXPECT_EQ(files.WriteTime(b), newer) << "a rename is no write";
    EXPECT_FALSE(files.RenameFile(a, b)) << "nothing to rename";
    EXPECT_TRUE(files.ReadFile(b, bytes));

    EXPECT_TRUE(files.RemoveFile(b));
    EXPECT_TRUE(files.IsAbsent(b));
    EXPECT_TRUE(files.RemoveFile(b)) << "gone already";
    EXPECT_EQ(this->Found(L"*"), std::vector<std::wstring>{});
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, WhatIsWrittenIsReadBackByteForByteAndReplacedWhole,
                            WhatIsNotThereIsAbsentAndReadsNothing, SearchMasksMatchAsTheWindowsSearchDoes,
                            RenameReplacesRemoveIsDoneWhenNothingIsLeftAndWriteTimesGrow);

}  // namespace cv2
