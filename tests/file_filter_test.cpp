#include <gtest/gtest.h>

#include <string>

#include "platform/FileFilter.h"

namespace cv2 {
namespace {

using namespace std::string_literals;

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

}  // namespace
}  // namespace cv2
