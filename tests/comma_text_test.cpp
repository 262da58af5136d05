#include <gtest/gtest.h>

#include "settings/CommaText.h"

namespace cv2 {
namespace {

using Items = std::vector<std::string>;

TEST(SplitCommaText, PlainLists) {
    EXPECT_EQ(SplitCommaText("0,4,9"), (Items{"0", "4", "9"}));
    EXPECT_EQ(SplitCommaText("No"), (Items{"No"}));
    EXPECT_EQ(SplitCommaText(""), Items{});
    EXPECT_EQ(SplitCommaText(" \t\x01 "), Items{});
}

TEST(SplitCommaText, BlanksAndEmptyElements) {
    EXPECT_EQ(SplitCommaText("  1 , 2\t,3  "), (Items{"1", "2", "3"}));
    EXPECT_EQ(SplitCommaText("1 2"), (Items{"1", "2"}));  // a blank ends an element too
    EXPECT_EQ(SplitCommaText("a,,b"), (Items{"a", "", "b"}));
    EXPECT_EQ(SplitCommaText("1,2,"), (Items{"1", "2"}));  // a final comma adds nothing
    EXPECT_EQ(SplitCommaText(",,"), (Items{"", ""}));
    EXPECT_EQ(SplitCommaText(","), (Items{""}));
    EXPECT_EQ(SplitCommaText(", ,x"), (Items{"", "", "x"}));
}

TEST(SplitCommaText, QuotedElements) {
    EXPECT_EQ(SplitCommaText("\"a b\",c"), (Items{"a b", "c"}));
    EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (Items{"say \"hi\""}));
    EXPECT_EQ(SplitCommaText("\"\",x"), (Items{"", "x"}));
    EXPECT_EQ(SplitCommaText("\"a\"b,c"), (Items{"a", "b", "c"}));  // no comma needed after a quote
    // An unclosed quote runs to the end and loses its last byte.
    EXPECT_EQ(SplitCommaText("\"abc"), (Items{"ab"}));
    EXPECT_EQ(SplitCommaText("\"a"), (Items{""}));
    EXPECT_EQ(SplitCommaText("\"a\"\""), (Items{"a"}));
    EXPECT_EQ(SplitCommaText("\"\"\""), (Items{""}));
}

TEST(SplitCommaText, ShiftJisAndNul) {
    // The second byte of "ソ" is 0x5C and of "、" ... none may be taken for a separator.
    EXPECT_EQ(SplitCommaText("ソ表,項目"), (Items{"ソ表", "項目"}));
    EXPECT_EQ(SplitCommaText("\"ソ\""), (Items{"ソ"}));
    EXPECT_EQ(SplitCommaText(std::string_view("1,2\0,3", 6)), (Items{"1", "2"}));
}

}  // namespace
}  // namespace cv2
