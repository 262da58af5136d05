#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CV2MainFrm/CV2MainFrm.h"
#include "Option/OptionFrm.h"
#include "tests/support/FakePlatform.h"
#include "platform/fakes/FakeClipboard.h"
#include "platform/fakes/FakeDialogs.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeDesktop.h"
#include "base/Error.h"

namespace cv2 {
namespace {

using ::testing::ElementsAre;

TEST(StrToInt, AcceptsTheSettingsIntegerSyntax) {
    struct Case {
        const char* text;
        int value;
    };
    Case cases[] = {
        {"0", 0},
        {"250", 250},
        {"1500", 1500},
        {"007", 7},
        {"-20", -20},
        {"+20", 20},
        {"   42", 42},
        {"$1F", 31},
        {"0x1f", 31},
        {"0XFF", 255},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
    };
    for (const Case& c : cases) {
        int v = 12345;
        EXPECT_TRUE(StrToInt(c.text, v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST(StrToInt, RejectsEverythingElse) {
    for (const char* text : {"", " ", "-", "+", "$", "0x", "12 ", "1.5", "abc", "12a", "--1", "1e3", "2147483648",
                             "-2147483649", "$100000000", "99999999999999999999", "３００", "\t1"}) {
        int v = 77;
        EXPECT_FALSE(StrToInt(text, v)) << text;
        EXPECT_EQ(v, 77) << text;
    }
}

TEST(NumEdit1, KeyFilterPassesOnlyBackspaceAndDigitsFullWidthOnesMadePlain) {
    struct {
        unsigned key, passed;
    } cases[] = {
        {8, 8},        {'0', '0'},
        {'5', '5'},    {'9', '9'},
        {'/', 0},      {':', 0},
        {'-', 0},      {'+', 0},
        {' ', 0},      {'a', 0},
        {13, 0},       {127, 0},
        {0xFF10, '0'}, {0xFF15, '5'},
        {0xFF19, '9'}, {0xFF0F, 0},
        {0xFF1A, 0},   {0xFF0D, 0},
        {0x3000, 0},   {0x0660, 0},
        {0x10030, 0},  {0xFF10 + 0x10000, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(NumEdit1KeyPress(c.key), c.passed) << c.key;
}

TEST(NumEdit1, EmptyFieldTurnsToZeroOnExit) {
    EXPECT_EQ(NumEdit1Exit(""), "0");
    EXPECT_EQ(NumEdit1Exit("25"), "25");
    EXPECT_EQ(NumEdit1Exit(" "), " ");
}

class WaitTimeTest : public ::testing::Test, protected fakes::FakePlatform {
protected:
    fakes::FakeMainView view{log};
    TCV2Frm frm{view, platform};
};

TEST_F(WaitTimeTest, OkTakesTheFieldCancelKeepsTheOldValue) {
    frm.waitTime = 1500;
    view.waitDialogAnswers = {{true, "250"}, {false, "999"}, {true, "1500"}};
    frm.Wait1Click();
    EXPECT_EQ(frm.waitTime, 250);
    frm.Wait1Click();
    EXPECT_EQ(frm.waitTime, 250);
    frm.Wait1Click();
    EXPECT_EQ(frm.waitTime, 1500);
    // The field opens with the current value in decimal, longer than the typing limit too.
    EXPECT_THAT(view.waitDialogShown, ElementsAre("1500", "250", "250"));
}

TEST_F(WaitTimeTest, NotAnIntegerKeepsTheOldValueAndNamesTheText) {
    frm.waitTime = 300;
    view.waitDialogAnswers = {{true, ""}, {true, "1O0"}};
    for (const char* expected : {"'' は整数ではありません", "'1O0' は整数ではありません"}) {
        try {
            frm.Wait1Click();
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
        EXPECT_EQ(frm.waitTime, 300);
    }
    // Through the general error report the message gets its full stop.
    frm.ReportError("'' は整数ではありません");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "'' は整数ではありません.");
    EXPECT_EQ(dialogs.boxes[0].caption, "Corvell2！");
}

TEST_F(WaitTimeTest, NegativeWaitTimeFromTheSettingsIsShownAsIs) {
    frm.waitTime = -5;
    view.waitDialogAnswers = {{true, "-5"}};
    frm.Wait1Click();
    EXPECT_EQ(frm.waitTime, -5);
    EXPECT_THAT(view.waitDialogShown, ElementsAre("-5"));
}

}  // namespace
}  // namespace cv2
