// Corvell2.exe started in a folder with a user file and its settings file: what the window
// shows afterwards (read from another process through the tree control's own messages)
// and what it writes when it is closed.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Ini.h"
#include "tests/support/ProgramFolder_win.h"

namespace cv2 {
namespace {

using testing::ReadBytes;
using testing::WaitFor;
using testing::WriteBytes;
using Folder = testing::ProgramFolder;

constexpr DWORD kBudgetMs = testing::kProcessBudgetMs;

struct Search {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM param) {
    auto& s = *reinterpret_cast<Search*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s.pid && std::wstring(cls) == s.className && IsWindowVisible(hwnd)) s.found = hwnd;
    return s.found == nullptr;
}

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
    auto& s = *reinterpret_cast<Search*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring(cls) == s.className) s.found = hwnd;
    return s.found == nullptr;
}

// What the tree control of another process holds for one item.
struct ShownItem {
    std::wstring text;
    int image = -1;
    int selectedImage = -1;
    bool expanded = false;
    bool selected = false;
};

// One started Corvell2.exe, ended by force if a test leaves it running.
class Program {
public:
    explicit Program(const Folder& folder) {
        std::wstring cmd = L"\"" + folder.Exe() + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        started_ = CreateProcessW(folder.Exe().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.Dir().c_str(), &si, &pi_) != FALSE;
        if (!started_) return;
        WaitFor([&] {
            Search s{pi_.dwProcessId, L"TCV2Frm", nullptr};
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&s));
            main_ = s.found;
            return main_ != nullptr || Exited();
        });
        if (!main_) return;
        WaitForInputIdle(pi_.hProcess, 5000);
        Search s{0, WC_TREEVIEWW, nullptr};
        EnumChildWindows(main_, FindChild, reinterpret_cast<LPARAM>(&s));
        tree_ = s.found;
        remote_ = VirtualAllocEx(pi_.hProcess, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~Program() {
        if (!started_) return;
        if (remote_) VirtualFreeEx(pi_.hProcess, remote_, 0, MEM_RELEASE);
        if (!Exited()) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return main_; }
    HWND Tree() const { return tree_; }
    bool Exited() { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }
    bool Close() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        return WaitForSingleObject(pi_.hProcess, kBudgetMs) == WAIT_OBJECT_0;
    }

    // Every item in pre-order, collapsed parents included.
    std::vector<ShownItem> Items() {
        std::vector<ShownItem> items;
        if (!tree_ || !remote_) return items;
        Walk(Next(nullptr, TVGN_ROOT), items);
        return items;
    }

private:
    HTREEITEM Next(HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }

    void Walk(HTREEITEM item, std::vector<ShownItem>& items) {
        for (; item; item = Next(item, TVGN_NEXT)) {
            items.push_back(Read(item));
            Walk(Next(item, TVGN_CHILD), items);
        }
    }

    // TVM_GETITEMW with its structure and text buffer in the program's own memory.
    ShownItem Read(HTREEITEM item) {
        auto* base = static_cast<char*>(remote_);
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        tv.pszText = reinterpret_cast<LPWSTR>(base + 512);
        tv.cchTextMax = 256;
        ShownItem shown;
        SIZE_T done = 0;
        if (!WriteProcessMemory(pi_.hProcess, base, &tv, sizeof tv, &done)) return shown;
        if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(base))) return shown;
        wchar_t text[256] = {};
        ReadProcessMemory(pi_.hProcess, base, &tv, sizeof tv, &done);
        ReadProcessMemory(pi_.hProcess, base + 512, text, sizeof text - sizeof(wchar_t), &done);
        shown.text = text;
        shown.image = tv.iImage;
        shown.selectedImage = tv.iSelectedImage;
        shown.expanded = (tv.state & TVIS_EXPANDED) != 0;
        shown.selected = (tv.state & TVIS_SELECTED) != 0;
        return shown;
    }

    PROCESS_INFORMATION pi_{};
    bool started_ = false;
    HWND main_ = nullptr;
    HWND tree_ = nullptr;
    void* remote_ = nullptr;
};

TEST(SettingsEndToEnd, StartShowsTheStoredStateAndCloseWritesBothSettingsFiles) {
    Folder folder(L"state");
    ASSERT_TRUE(folder.Ready()) << "Corvell2.exe must lie beside the tests";
    ASSERT_TRUE(WriteBytes(folder.Path(L"user.cv2"), "A\r\n\ta1\r\n\t\tx\r\n\ta2\r\nB\r\n\tb1\r\n"));
    ASSERT_TRUE(WriteBytes(folder.Path(L"user.ini"),
                           "[Window]\r\nWidth=260\r\nHeight=420\r\nTop=60\r\nLeft=70\r\nExpand=0\r\nNodeSelect=3\r\n"
                           "[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=0\r\nShowToolBar2Btn=1\r\nClickChange=0\r\n"
                           "[Paste]\r\nWaitTime=100\r\n[Menu]\r\nTabEnter=1\r\n"
                           "[Image]\r\nindex0=3\r\nindex1=4\r\nindex2=5\r\nindex3=6\r\nindex4=7\r\nindex5=8\r\n"));
    Program program(folder);
    ASSERT_NE(program.Main(), nullptr) << "no main window";
    ASSERT_NE(program.Tree(), nullptr) << "no tree control";

    RECT r{};
    GetWindowRect(program.Main(), &r);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 260);
    EXPECT_EQ(r.bottom - r.top, 420);

    std::vector<ShownItem> items = program.Items();
    ASSERT_EQ(items.size(), 6u);
    const wchar_t* texts[] = {L"A", L"a1", L"x", L"a2", L"B", L"b1"};
    // Expand=0 opens A with its whole subtree.
    const bool expanded[] = {true, true, false, false, false, false};
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].text, texts[i]);
        EXPECT_EQ(items[i].image, static_cast<int>(i) + 3);
        EXPECT_EQ(items[i].selectedImage, static_cast<int>(i) + 15);
        EXPECT_EQ(items[i].expanded, expanded[i]);
        EXPECT_EQ(items[i].selected, i == 3);
    }

    ASSERT_TRUE(program.Close()) << "the program did not end after WM_CLOSE";
    const std::string user = ReadBytes(folder.Path(L"user.ini"));
    const std::string exe = ReadBytes(folder.Path(L"Corvell2.ini"));
    // The same keys, after the recent files the executable's file keeps besides.
    const std::string recentFirst = "[Recent]\r\nFile1=";
    EXPECT_EQ(exe.substr(0, recentFirst.size()), recentFirst);
    EXPECT_EQ(exe.substr(exe.find("[Window]")), user);
    IniFile ini = IniFile::Parse(user);
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 260);
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 420);
    EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 60);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 70);
    EXPECT_EQ(ini.ReadString("Window", "Expand", ""), "0,1");
    EXPECT_EQ(ini.ReadInteger("Window", "NodeSelect", -1), 3);
    EXPECT_EQ(ini.ReadString("ToolBtn", "ResizeBtn", ""), "0");
    EXPECT_EQ(ini.ReadString("ToolBtn", "PasteBtn", ""), "0");
    EXPECT_EQ(ini.ReadString("ToolBtn", "ShowToolBar2Btn", ""), "1");
    EXPECT_EQ(ini.ReadString("ToolBtn", "ClickChange", ""), "0");
    EXPECT_EQ(ini.ReadInteger("Paste", "WaitTime", 0), 100);
    EXPECT_EQ(ini.ReadInteger("Menu", "TabEnter", 0), 1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ini.ReadInteger("Image", "index" + std::to_string(i), -1), i + 3) << i;
}

// A place stored on a monitor that has since gone: the window comes up whole in the work area
// of the monitor that is there, and its settings file keeps where it came up.
TEST(SettingsEndToEnd, APlaceOffEveryMonitorStartsInAWorkAreaAndIsStoredAsItCameUp) {
    Folder folder(L"offscreen");
    ASSERT_TRUE(folder.Ready()) << "Corvell2.exe must lie beside the tests";
    ASSERT_TRUE(WriteBytes(folder.Path(L"user.cv2"), "A\r\n"));
    ASSERT_TRUE(
        WriteBytes(folder.Path(L"user.ini"), "[Window]\r\nWidth=200\r\nHeight=300\r\nTop=5000\r\nLeft=5000\r\n"));
    Program program(folder);
    ASSERT_NE(program.Main(), nullptr) << "no main window";

    RECT r{};
    GetWindowRect(program.Main(), &r);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), &info))
        << "on no monitor: " << r.left << "," << r.top;
    RECT inside{};
    IntersectRect(&inside, &r, &info.rcWork);
    EXPECT_TRUE(EqualRect(&inside, &r)) << "not whole in the work area";
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 300);

    ASSERT_TRUE(program.Close()) << "the program did not end after WM_CLOSE";
    IniFile ini = IniFile::Parse(ReadBytes(folder.Path(L"user.ini")));
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), r.left);
    EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), r.top);
}

TEST(SettingsEndToEnd, AUserFileWithALevelJumpStartsWithTheItemsBeforeIt) {
    Folder folder(L"jump");
    ASSERT_TRUE(folder.Ready()) << "Corvell2.exe must lie beside the tests";
    ASSERT_TRUE(WriteBytes(folder.Path(L"jump.cv2"), "A\r\n\tB\r\n\t\t\tC\r\nD\r\n"));
    ASSERT_TRUE(WriteBytes(folder.Path(L"jump.ini"), "[Image]\r\nindex0=5\r\n"));
    Program program(folder);
    ASSERT_NE(program.Tree(), nullptr);
    std::vector<ShownItem> items = program.Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, L"A");
    EXPECT_EQ(items[1].text, L"B");
    // Bound to no file: its icons are not applied, and closing writes only the executable's settings.
    EXPECT_EQ(items[0].image, 0);
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(ReadBytes(folder.Path(L"jump.ini")), "[Image]\r\nindex0=5\r\n");
    EXPECT_NE(ReadBytes(folder.Path(L"Corvell2.ini")), "");
}

}  // namespace
}  // namespace cv2
