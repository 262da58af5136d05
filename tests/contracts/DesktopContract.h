#pragma once
// What every Desktop port does, written once and run against the fake natively and against
// the Win32 port under Wine, with windows of the test's own.
//
// A harness type H provides:
//   Desktop& Port();
//   WindowHandle Make(WindowHandle parent, const std::string& className, const std::string& title,
//                     WindowHandle owner = 0);  a child of `parent`, or a hidden top-level window
//   void Show(WindowHandle);                  windows are made hidden; this shows one
//   void Destroy(WindowHandle);
//   void Minimise(WindowHandle);
//   void Settle();                            lets posted work reach the windows
//   WindowHandle Foreign();                   a window of another process
#include <gtest/gtest.h>

#include <string>

#include "platform/Desktop.h"

namespace cv2 {

template <class H>
class DesktopContract : public ::testing::Test {
protected:
    H h;
    Desktop& D() { return h.Port(); }
};

TYPED_TEST_SUITE_P(DesktopContract);

TYPED_TEST_P(DesktopContract, TitlesAreCutToTheBufferWithoutSplittingACharacter) {
    struct Case {
        std::string title;
        int bufferBytes;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(300, 'a'), 256, std::string(255, 'a')},
        {std::string(254, 'b') + "あいう", 256, std::string(254, 'b')},
        {std::string(253, 'c') + "あいう", 256, std::string(253, 'c') + "あ"},
        {"あいう", 4, "あ"},
        {"ｱｲｳ", 3, "ｱｲ"},
        {"Tarvex[Tarvex] - [日記・予定]", 256, "Tarvex[Tarvex] - [日記・予定]"},
        {"abc", 1, ""},
        {"abc", 0, ""},
        {"", 256, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + " / " + std::to_string(c.bufferBytes));
        WindowHandle w = this->h.Make(0, "Cv2ContractTitle", c.title);
        EXPECT_EQ(this->D().GetWindowText(w, c.bufferBytes), c.expected);
        this->h.Destroy(w);
    }
    EXPECT_EQ(this->D().GetWindowText(0, 256), "");
}

TYPED_TEST_P(DesktopContract, WindowsAreFoundByClassAndTitleUnderTheirParent) {
    WindowHandle top = this->h.Make(0, "Cv2ContractTop", "日記・予定");
    WindowHandle client = this->h.Make(top, "Cv2ContractClient", "");
    WindowHandle other = this->h.Make(client, "Cv2ContractForm", "家計簿");
    WindowHandle diary = this->h.Make(client, "Cv2ContractForm", "日記・予定");
    const std::string diaryName = "日記・予定";
    const std::string missing = "ない";
    EXPECT_EQ(this->D().FindWindowEx(top, "Cv2ContractClient", nullptr), client);
    EXPECT_EQ(this->D().FindWindowEx(client, "Cv2ContractForm", &diaryName), diary);
    EXPECT_NE(this->D().FindWindowEx(client, "Cv2ContractForm", nullptr), 0u);
    EXPECT_EQ(this->D().FindWindowEx(client, "Cv2ContractForm", &missing), 0u);
    EXPECT_EQ(this->D().FindWindowEx(top, "Cv2ContractForm", nullptr), 0u) << "children only, not grandchildren";
    // Null as the parent searches the top-level windows.
    EXPECT_EQ(this->D().FindWindowEx(0, "Cv2ContractTop", &diaryName), top);
    EXPECT_EQ(this->D().FindWindowEx(0, "Cv2ContractClient", nullptr), 0u);
    EXPECT_EQ(this->D().FindTopLevelWindow("Cv2ContractTop"), top);
    EXPECT_EQ(this->D().FindTopLevelWindow("Cv2ContractForm"), 0u);
    (void)other;
}

TYPED_TEST_P(DesktopContract, AWindowExistsUntilItIsDestroyed) {
    WindowHandle w = this->h.Make(0, "Cv2ContractLife", "life");
    EXPECT_TRUE(this->D().IsWindow(w));
    this->h.Destroy(w);
    EXPECT_FALSE(this->D().IsWindow(w));
    EXPECT_FALSE(this->D().IsWindow(0));
}

TYPED_TEST_P(DesktopContract, AForcedActivationBringsTheWindowForwardAndItsThreadAnswers) {
    WindowHandle first = this->h.Make(0, "Cv2ContractFront", "first");
    WindowHandle second = this->h.Make(0, "Cv2ContractFront", "second");
    this->h.Show(first);
    this->h.Show(second);
    ASSERT_TRUE(this->D().ForceForegroundWindow(first));
    EXPECT_EQ(this->D().GetForegroundWindow(), first);
    ASSERT_TRUE(this->D().ForceForegroundWindow(second));
    EXPECT_EQ(this->D().GetForegroundWindow(), second);
    EXPECT_TRUE(this->D().HasHandledActivation(second, 500));
    EXPECT_FALSE(this->D().HasHandledActivation(second, 0)) << "no time, no answer";
}

TYPED_TEST_P(DesktopContract, MinimisedWindowsComeBackEitherWay) {
    WindowHandle w = this->h.Make(0, "Cv2ContractIcon", "icon");
    EXPECT_FALSE(this->D().IsIconic(w));
    this->h.Minimise(w);
    EXPECT_TRUE(this->D().IsIconic(w));
    this->D().Restore(w);
    EXPECT_FALSE(this->D().IsIconic(w));

    this->h.Minimise(w);
    this->D().ShowRestored(w);
    this->h.Settle();
    EXPECT_FALSE(this->D().IsIconic(w));
}

TYPED_TEST_P(DesktopContract, OwnersAndIntegrityLevels) {
    WindowHandle owner = this->h.Make(0, "Cv2ContractOwner", "owner");
    WindowHandle owned = this->h.Make(0, "Cv2ContractOwned", "owned", owner);
    EXPECT_EQ(this->D().GetOwnerWindow(owned), owner);
    EXPECT_EQ(this->D().GetOwnerWindow(owner), 0u);
    // Our own windows run at our own level.
    EXPECT_EQ(this->D().IntegrityLevel(owned), this->D().IntegrityLevel(0));
}

TYPED_TEST_P(DesktopContract, FactsTellOurOwnWindowsAndTheirProcess) {
    WindowHandle a = this->h.Make(0, "Cv2ContractFacts", "a");
    WindowHandle b = this->h.Make(0, "Cv2ContractFacts", "b");
    WindowFacts facts = this->D().Facts(a);
    EXPECT_TRUE(facts.exists);
    EXPECT_TRUE(facts.ours);
    EXPECT_FALSE(facts.visible) << "made hidden";
    EXPECT_FALSE(facts.toolWindow);
    EXPECT_EQ(facts.className, "Cv2ContractFacts");
    EXPECT_NE(this->D().ProcessOf(a), 0u);
    EXPECT_EQ(this->D().ProcessOf(a), this->D().ProcessOf(b));
    const WindowHandle foreign = this->h.Foreign();
    EXPECT_FALSE(this->D().Facts(foreign).ours);
    EXPECT_NE(this->D().ProcessOf(foreign), this->D().ProcessOf(a));
    this->h.Show(a);
    EXPECT_TRUE(this->D().Facts(a).visible);
    this->h.Destroy(b);
    EXPECT_FALSE(this->D().Facts(b).exists);
    EXPECT_EQ(this->D().ProcessOf(b), 0u);
}

REGISTER_TYPED_TEST_SUITE_P(DesktopContract, TitlesAreCutToTheBufferWithoutSplittingACharacter,
                            WindowsAreFoundByClassAndTitleUnderTheirParent, AWindowExistsUntilItIsDestroyed,
                            AForcedActivationBringsTheWindowForwardAndItsThreadAnswers,
                            MinimisedWindowsComeBackEitherWay, OwnersAndIntegrityLevels,
                            FactsTellOurOwnWindowsAndTheirProcess);

}  // namespace cv2
