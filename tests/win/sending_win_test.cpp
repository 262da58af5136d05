// The clipboard and window ports against the real system: what the fakes promise must
// hold for the Win32 implementations too.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "CV2MainFrm/CV2MainFrm.h"
#include "base/Cp932.h"
#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakeFileSystem.h"
#include "platform/fakes/FakeGlobalHotKeys.h"
#include "platform/fakes/FakeLocale.h"
#include "tests/support/FakeMainView.h"
#include "tests/support/RecordedClipboardCalls_win.h"
#include "platform/fakes/FakeShell.h"
#include "base/Error.h"
#include "tests/support/MessageLoop_win.h"

namespace cv2 {
namespace {

using testing::PumpUntil;

std::wstring TextOf(HWND hwnd) {
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

// A window class of the given name, registered once for the process.
const wchar_t* TestClass(const wchar_t* name) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);  // fails harmlessly when it exists already
    return name;
}

using Window = UniqueWindow;

Window MakeWindow(const wchar_t* cls, const wchar_t* title, HWND parent = nullptr, DWORD style = 0) {
    DWORD s = style | (parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW);
    return Window(
        CreateWindowExW(0, cls, title, s, 0, 0, 300, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
}

class SendingWin : public ::testing::Test {
protected:
    SendingWin() {
        owner = MakeWindow(TestClass(L"Cv2TestOwner"), L"owner");
        view.handle = reinterpret_cast<WindowHandle>(owner.get());
    }

    std::string ClipboardBytes(UINT format) {
        std::string out;
        if (!OpenClipboard(nullptr)) return "<busy>";
        if (HANDLE h = GetClipboardData(format)) {
            auto* p = static_cast<const char*>(GlobalLock(h));
            out.assign(p, GlobalSize(h));
            GlobalUnlock(h);
        } else {
            out = "<none>";
        }
        CloseClipboard();
        return out;
    }

    Window owner;
    fakes::CallLog log;
    std::unique_ptr<Desktop> desktop = MakeWin32Desktop();
    std::unique_ptr<KeyInput> keys = MakeWin32KeyInput();
    testing::ClipboardRecording clipboardCalls;
    std::unique_ptr<Clipboard> clipboard = MakeWin32Clipboard(testing::ClipboardRecording::Calls());
    fakes::FakeFileSystem files;
    fakes::FakeShell shell;
    fakes::FakeLocale locale;
    fakes::FakeGlobalHotKeys hotKeys;
    fakes::FakeMainView view{log};
    Platform platform{*desktop, *keys, *clipboard, files, shell, locale, hotKeys};
    TCV2Frm frm{view, platform};
};

TEST_F(SendingWin, ClipboardReceivesShiftJisUtf16AndPrivacyFlags) {
    view.down[ToolButton::Paste] = false;
    const std::string text = "東京都港区 1-2-3 ｱｲｳ";
    frm.SendText(text);

    std::string cfText = ClipboardBytes(CF_TEXT);
    // The block holds the bytes and a zero; the system may round its size up.
    ASSERT_GE(cfText.size(), text.size() + 1);
    EXPECT_EQ(cfText.substr(0, text.size() + 1), text + '\0');

    std::string unicode = ClipboardBytes(CF_UNICODETEXT);
    std::wstring expected = L"東京都港区 1-2-3 ｱｲｳ";
    ASSERT_GE(unicode.size(), (expected.size() + 1) * 2);
    EXPECT_EQ(std::memcmp(unicode.data(), expected.c_str(), (expected.size() + 1) * 2), 0);

    for (const wchar_t* name : {L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        std::string flag = ClipboardBytes(RegisterClipboardFormatW(name));
        ASSERT_GE(flag.size(), 4u);
        EXPECT_EQ(flag.substr(0, 4), std::string(4, '\0'));
    }
}

TEST_F(SendingWin, ClipboardCallsComeInTheOrderOtherProgramsKnow) {
    view.down[ToolButton::Paste] = false;
    frm.SendText("abc");
    // The formats are registered before the clipboard is opened; each block is filled
    // before EmptyClipboard and unlocked after the clipboard took it.
    std::vector<std::string> expected = {
        "RegisterClipboardFormat", "RegisterClipboardFormat", "RegisterClipboardFormat",
        "OpenClipboard",           "GlobalAlloc(0x2002, 4)",  "GlobalLock",
        "EmptyClipboard",          "SetClipboardData(1)",     "GlobalUnlock",
    };
    // UTF-16 text, the locale and the three flags.
    for (const char* set : {"SetClipboardData(13)", "SetClipboardData(16)", "SetClipboardData(registered)",
                            "SetClipboardData(registered)", "SetClipboardData(registered)"}) {
        expected.push_back(std::string(set) == "SetClipboardData(13)" ? "GlobalAlloc(0x2002, 8)"
                                                                      : "GlobalAlloc(0x2002, 4)");
        expected.insert(expected.end(), {"GlobalLock", set, "GlobalUnlock"});
    }
    expected.push_back("CloseClipboard");
    EXPECT_EQ(clipboardCalls.calls, expected);
}

DWORD WINAPI HoldClipboard(void* param) {
    auto* holdMs = static_cast<DWORD*>(param);
    if (!OpenClipboard(nullptr)) return 1;
    Sleep(*holdMs);
    CloseClipboard();
    return 0;
}

TEST_F(SendingWin, ClipboardHeldElsewhereFailsAfterRetryingOrWaitsItOut) {
    view.down[ToolButton::Paste] = false;
    for (DWORD holdMs : {600ul, 60ul}) {
        SCOPED_TRACE(holdMs);
        HANDLE thread = CreateThread(nullptr, 0, HoldClipboard, &holdMs, 0, nullptr);
        ASSERT_TRUE(thread);
        Sleep(20);  // let it take the clipboard
        ULONGLONG start = GetTickCount64();
        bool failed = false;
        try {
            frm.SendText("held");
        } catch (const Error& e) {
            failed = true;
            EXPECT_STREQ(e.what(), "クリップボードを開くことができません");
        }
        ULONGLONG took = GetTickCount64() - start;
        WaitForSingleObject(thread, 5000);
        CloseHandle(thread);
        if (holdMs > 300) {
            EXPECT_TRUE(failed);
            EXPECT_GE(took, 180u);
            EXPECT_LT(took, 400u);
        } else {
            EXPECT_FALSE(failed);
            EXPECT_EQ(ClipboardBytes(CF_TEXT).substr(0, 5), std::string("held", 5));
        }
    }
}

// The diary's edit control: an EDIT under another class name.
const wchar_t* TextEditClass() {
    WNDCLASSW wc{};
    GetClassInfoW(nullptr, L"EDIT", &wc);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TextEdit";
    RegisterClassW(&wc);
    return L"TextEdit";
}

TEST_F(SendingWin, SpecialTargetGetsWmPasteThroughTheClassChain) {
    Window top = MakeWindow(TestClass(L"Cv2TestTarvex"), L"Tarvex[Tarvex] - [日記・予定]");
    Window mdi = MakeWindow(TestClass(L"MDIClient"), L"", top.get());
    Window other = MakeWindow(TestClass(L"ThunderRT6FormDC"), L"家計簿", mdi.get());
    Window otherUser = MakeWindow(TestClass(L"ThunderRT6UserControlDC"), L"", other.get());
    Window otherEdit = MakeWindow(TextEditClass(), L"", otherUser.get());
    Window form = MakeWindow(TestClass(L"ThunderRT6FormDC"), L"日記・予定", mdi.get());
    Window user = MakeWindow(TestClass(L"ThunderRT6UserControlDC"), L"", form.get());
    Window edit = MakeWindow(TextEditClass(), L"", user.get());
    ASSERT_TRUE(edit);

    auto h = [](const Window& w) { return reinterpret_cast<WindowHandle>(w.get()); };
    const std::string diary = "日記・予定";
    EXPECT_EQ(desktop->FindWindowEx(h(top), "MDIClient", nullptr), h(mdi));
    EXPECT_EQ(desktop->FindWindowEx(h(mdi), "ThunderRT6FormDC", &diary), h(form));
    EXPECT_EQ(desktop->FindWindowEx(h(form), "ThunderRT6UserControlDC", nullptr), h(user));
    EXPECT_EQ(desktop->FindWindowEx(h(user), "TextEdit", nullptr), h(edit));

    view.down[ToolButton::Paste] = true;
    view.status = "Tarvex[Tarvex] - [日記・予定]";
    // The timer finds the target in front, as it would when the user leaves for it.
    SetForegroundWindow(top.get());
    frm.Timer1Timer();
    ASSERT_EQ(frm.TargetWindow(), h(top));
    frm.SendText("予定の本文");
    // WM_PASTE is synchronous: the text is there when the send returns.
    EXPECT_EQ(TextOf(edit.get()), L"予定の本文");
    EXPECT_EQ(TextOf(otherEdit.get()), L"");
}

TEST_F(SendingWin, SynthesizedCtrlVPastesIntoTheFocusedEdit) {
    Window top = MakeWindow(TestClass(L"Cv2TestForm"), L"form");
    Window edit = MakeWindow(L"EDIT", L"", top.get(), WS_BORDER);
    ShowWindow(top.get(), SW_SHOW);
    desktop->SetForegroundWindow(reinterpret_cast<WindowHandle>(top.get()));
    SetFocus(edit.get());
    testing::Pump(200);

    view.down[ToolButton::Paste] = false;
    frm.SendText("ﾃｽﾄ入力");
    EXPECT_EQ(keys->SendKeys({{kVkControl, false}, {kVkV, false}, {kVkControl, true}, {kVkV, true}}), 4);
    if (!PumpUntil([&] { return !TextOf(edit.get()).empty(); }, 2000))
        GTEST_SKIP() << "synthesized input was not delivered to this desktop";
    EXPECT_EQ(TextOf(edit.get()), L"ﾃｽﾄ入力");
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0) << "Ctrl left down";
}

TEST_F(SendingWin, UnicodeUnitsAndHeldModifiersThroughTheKeyPort) {
    Window top = MakeWindow(TestClass(L"Cv2TestTyping"), L"typing");
    Window edit = MakeWindow(L"EDIT", L"", top.get(), WS_BORDER);
    ShowWindow(top.get(), SW_SHOW);
    auto h = reinterpret_cast<WindowHandle>(top.get());
    ASSERT_TRUE(desktop->ForceForegroundWindow(h));
    SetFocus(edit.get());
    EXPECT_TRUE(desktop->HasHandledActivation(h, 500));

    // A held left Shift shows in the generic state and goes with its release.
    EXPECT_EQ(keys->SendKeys({{kVkLShift, false}}), 1);
    EXPECT_TRUE(keys->IsKeyDown(kVkLShift));
    EXPECT_TRUE(keys->IsKeyDown(kVkShift));
    EXPECT_EQ(keys->SendKeys({{kVkUnassigned, false}, {kVkUnassigned, true}, {kVkLShift, true}}), 3);
    EXPECT_FALSE(keys->IsKeyDown(kVkShift));

    EXPECT_EQ(keys->SendKeys({{0x3042, false, true}, {0x3042, true, true}, {L'a', false, true}, {L'a', true, true}}),
              4);
    if (!PumpUntil([&] { return TextOf(edit.get()).size() >= 2; }, 2000))
        GTEST_SKIP() << "synthesized input was not delivered to this desktop";
    EXPECT_EQ(TextOf(edit.get()), L"あa");
}

TEST_F(SendingWin, IntegrityLevelsOfOwnWindowsMatchThisProcess) {
    std::uint32_t ours = desktop->IntegrityLevel(0);
    EXPECT_EQ(desktop->IntegrityLevel(reinterpret_cast<WindowHandle>(owner.get())), ours);
    if (ours == kIntegrityUnknown) GTEST_SKIP() << "no integrity level on this system";
    EXPECT_GE(ours, 0x1000u);  // at least low; 0 would be untrusted, not a real desktop program
}

}  // namespace
}  // namespace cv2
