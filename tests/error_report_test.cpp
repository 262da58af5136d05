#include <gtest/gtest.h>

#include <string>

#include "base/ErrorReport.h"

namespace cv2 {
namespace {

using namespace std::string_literals;

TEST(ErrorReport, FullStopOnlyAfterBytesSortingAboveIt) {
    EXPECT_EQ(ErrorReportText("不正なインデックス"), "不正なインデックス.");  // ends in a second byte
    EXPECT_EQ(ErrorReportText("Clipboard busy"), "Clipboard busy.");
    EXPECT_EQ(ErrorReportText("Done."), "Done.");
    EXPECT_EQ(ErrorReportText("Stop!"), "Stop!");  // '!' sorts below '.'
    EXPECT_EQ(ErrorReportText("x-"), "x-");        // '-' too
    EXPECT_EQ(ErrorReportText("ab/"), "ab/.");     // '/' sorts just above
    EXPECT_EQ(ErrorReportText("ｱ"), "ｱ.");         // single-byte katakana
    EXPECT_EQ(ErrorReportText(""), "");
}

}  // namespace
}  // namespace cv2
