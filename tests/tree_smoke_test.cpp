#include <gtest/gtest.h>

#include "tree/ItemTree.h"

namespace cv2 {
namespace {

TEST(ItemTreeSmoke, LiteralsAreShiftJis) {
    // The build converts narrow literals to code page 932.
    EXPECT_EQ(std::string("新規項目"), std::string("\x90\x56\x8B\x4B\x8D\x80\x96\xDA"));
}

}  // namespace
}  // namespace cv2
