// The engine on the real system: a promised text rendered for a reader on another thread
// while the engine waits, outliving its owner, a paste into a real edit known as taken, and
// the diary's WM_PASTE.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/Cp932.h"
#include "platform/Handle_win.h"
#include "platform/Win32Ports.h"
#include "send/Planner.h"
#include "send/SendEngine.h"
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
const wchar_t* TestClass(const wchar_t* name, WNDPROC proc = DefWindowProcW) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);  // fails harmlessly when it exists already
    return name;
}

UniqueWindow MakeWindow(const wchar_t* cls, const wchar_t* title, HWND parent = nullptr, DWORD style = 0) {
    DWORD s = style | (parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW);
    return UniqueWindow(
        CreateWindowExW(0, cls, title, s, 0, 0, 300, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
}

WindowHandle H(HWND w) { return reinterpret_cast<WindowHandle>(w); }

class SendingWin : public ::testing::Test {
protected:
    SendingWin() {
        current = this;
        owner = MakeWindow(TestClass(L"Cv2TestSendOwner", OwnerProc), L"owner");
        settings.owner = H(owner.get());
        settings.followUp = 0;
    }
    ~SendingWin() override { current = nullptr; }

    // The main window's part: the clipboard's requests go to the engine.
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (current) {
            switch (msg) {
                case WM_RENDERFORMAT:
                    current->engine.Render(static_cast<unsigned>(wParam));
                    return 0;
                case WM_RENDERALLFORMATS:
                    current->engine.RenderAll(H(hwnd));
                    return 0;
                case WM_DESTROYCLIPBOARD:
                    current->engine.ClipboardReleased();
                    return 0;
                case WM_APP:
                    ++current->postedHandled;
                    return 0;
                default:
                    break;
            }
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    // A text as another program reads it: through a window of its own, on its own thread.
    struct Reader {
        DWORD delayMs = 0;
        std::wstring text;
        HWND window = nullptr;
    };
    static DWORD WINAPI ReadLater(void* param) {
        auto* r = static_cast<Reader*>(param);
        r->window = CreateWindowExW(0, L"STATIC", L"reader", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        Sleep(r->delayMs);
        for (int i = 0; i < 200 && !OpenClipboard(r->window); ++i) Sleep(5);
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) r->text = p;
            GlobalUnlock(h);
        }
        CloseClipboard();
        DestroyWindow(r->window);
        return 0;
    }

    static inline SendingWin* current = nullptr;
    UniqueWindow owner;
    std::unique_ptr<Clock> clock = MakeWin32Clock();
    std::unique_ptr<Desktop> desktop = MakeWin32Desktop();
    std::unique_ptr<KeyInput> keys = MakeWin32KeyInput();
    std::unique_ptr<Clipboard> clipboard = MakeWin32Clipboard(clock.get());
    SendEngine engine{{*desktop, *keys, *clipboard, *clock}};
    SendSettings settings;
    int postedHandled = 0;
};

TEST_F(SendingWin, AReaderOnAnotherThreadIsAnsweredWhileTheEngineWaitsAndOurInputWaitsItsTurn) {
    // A paste into a window of our own process, whose reader is a thread of ours.
    UniqueWindow target = MakeWindow(TestClass(L"Cv2TestSendTarget"), L"target");
    Plan paste;
    paste.owner = settings.owner;
    Step offer;
    offer.kind = StepKind::Offer;
    offer.text = "東京都 ｱｲｳ";
    Step keysStep;
    keysStep.kind = StepKind::Keys;
    keysStep.window = H(target.get());
    keysStep.paste = true;
    paste.steps = {offer, keysStep};
    engine.Run(paste);
    ASSERT_TRUE(engine.AwaitingTaken());

    Reader reader;
    reader.delayMs = 150;
    HANDLE thread = CreateThread(nullptr, 0, ReadLater, &reader, 0, nullptr);
    ASSERT_TRUE(thread);
    PostMessageW(owner.get(), WM_APP, 0, 0);  // the user's input meanwhile
    Plan next;
    next.steps.emplace_back().kind = StepKind::AwaitTaken;
    const ULONGLONG start = GetTickCount64();
    engine.Run(next);
    const ULONGLONG took = GetTickCount64() - start;
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);

    EXPECT_EQ(reader.text, L"東京都 ｱｲｳ");
    EXPECT_FALSE(engine.AwaitingTaken()) << "read by a window of the target's process";
    EXPECT_LT(took, 900u) << "the wait ended with the read, not the budget";
    EXPECT_GE(engine.LastTakenMs().value_or(0), 100);
    EXPECT_EQ(postedHandled, 0) << "only sent messages are handled during the wait";
    testing::Pump();
    EXPECT_EQ(postedHandled, 1);
}

TEST_F(SendingWin, TheTextOutlivesItsOwner) {
    settings.pasteMode = false;
    engine.Run(PlanSend(settings, {"住所 1-2"}));
    owner.reset();  // the system asks for every promise before the window goes
    Reader reader;
    HANDLE thread = CreateThread(nullptr, 0, ReadLater, &reader, 0, nullptr);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    EXPECT_EQ(reader.text, L"住所 1-2");
}

TEST_F(SendingWin, ACtrlVIntoAnEditIsPastedAndKnownAsTaken) {
    UniqueWindow top = MakeWindow(TestClass(L"Cv2TestForm"), L"form");
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 200, 20, top.get(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ShowWindow(top.get(), SW_SHOW);
    SetFocus(edit);
    testing::Pump(200);
    settings.target = H(top.get());
    engine.Run(PlanSend(settings, {"ﾃｽﾄ入力"}));
    if (!PumpUntil([&] { return !TextOf(edit).empty(); }, 2000))
        GTEST_SKIP() << "synthesized input was not delivered to this desktop";
    EXPECT_EQ(TextOf(edit), L"ﾃｽﾄ入力");
    EXPECT_FALSE(engine.AwaitingTaken());
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0) << "Ctrl left down";
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

TEST_F(SendingWin, TheDiaryGetsWmPasteThroughTheClassChain) {
    UniqueWindow top = MakeWindow(TestClass(L"Cv2TestTarvex"), L"Tarvex[Tarvex] - [日記・予定]");
    UniqueWindow mdi = MakeWindow(TestClass(L"MDIClient"), L"", top.get());
    UniqueWindow other = MakeWindow(TestClass(L"ThunderRT6FormDC"), L"家計簿", mdi.get());
    UniqueWindow otherUser = MakeWindow(TestClass(L"ThunderRT6UserControlDC"), L"", other.get());
    UniqueWindow otherEdit = MakeWindow(TextEditClass(), L"", otherUser.get());
    UniqueWindow form = MakeWindow(TestClass(L"ThunderRT6FormDC"), L"日記・予定", mdi.get());
    UniqueWindow user = MakeWindow(TestClass(L"ThunderRT6UserControlDC"), L"", form.get());
    UniqueWindow edit = MakeWindow(TextEditClass(), L"", user.get());
    ASSERT_TRUE(edit);
    ShowWindow(top.get(), SW_SHOW);
    settings.target = H(top.get());
    settings.specialTarget = true;
    engine.Run(PlanSend(settings, {"予定の本文"}));
    // WM_PASTE is synchronous: the text is there when the send returns, and it was read.
    EXPECT_EQ(TextOf(edit.get()), L"予定の本文");
    EXPECT_EQ(TextOf(otherEdit.get()), L"");
    EXPECT_FALSE(engine.AwaitingTaken());
}

TEST_F(SendingWin, AToolWindowIsNoTarget) {
    HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW, TestClass(L"Cv2TestPalette"), L"palette", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const WindowFacts facts = desktop->Facts(H(tool));
    EXPECT_TRUE(facts.toolWindow);
    EXPECT_FALSE(CanBeTarget(facts));
    DestroyWindow(tool);
}

}  // namespace
}  // namespace cv2
