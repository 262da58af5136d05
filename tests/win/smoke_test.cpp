#include <windows.h>

#include <gtest/gtest.h>

#include "base/Cp932.h"

namespace cv2 {
namespace {

TEST(WinSmoke, Cp932RoundTrip) {
    std::string sjis = "新規項目表ソ";
    EXPECT_EQ(ToCp932(FromCp932(sjis)), sjis);
    EXPECT_EQ(FromCp932(sjis), std::wstring(L"新規項目表ソ"));
}

}  // namespace
}  // namespace cv2
