#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/CommaText.h"
#include "settings/Ini.h"
#include "tests/support/MainFrmFixture.h"

namespace cv2::testing {
namespace {

const std::wstring kUser = L"C:\\Data\\me.cv2";
const std::wstring kUserIni = L"C:\\Data\\me.ini";

class SettingsIo : public ::testing::Test, public testing::MainFrmFixture {
protected:
    // A window in its plain state, as a session would leave it.
    void PrepareSession() {
        BuildSmallTree();
        view.bounds = {10, 20, 200, 400};
        view.down[ToolButton::Paste] = true;
        view.down[ToolButton::ShowToolBar2] = true;
        SetClickMode(true);
        SetWaitTime(150);
        SetFollowUp(2);
        AllowExpand(true);
        frm.Tree().Expand(At(0), true, frm.Gate());
        frm.Tree().Collapse(At(3), false, frm.Gate());
        frm.Tree().SetImageIndex(At(1), 5);
        frm.Tree().SetImageIndex(At(6), 11);
        view.selection = At(3);
        SetConversion({kConvertHiragana, true, false});
    }

    IniFile Stored(const std::wstring& path = kUserIni) { return IniFile::Parse(files.files[path]); }

    void LoadFrom(const std::string& ini) {
        files.files[kUserIni] = ini;
        frm.LoadSettings(kUser);
    }
};

TEST_F(SettingsIo, SaveWritesEveryKeyInItsOrder) {
    PrepareSession();
    frm.SaveSettings(kUser);
    EXPECT_EQ(files.files[kUserIni],
              "[Window]\r\nWidth=200\r\nHeight=400\r\nTop=20\r\nLeft=10\r\nExpand=0,1\r\nNodeSelect=3\r\n"
              "[ToolBtn]\r\nResizeBtn=0\r\nPasteBtn=1\r\nShowToolBar2Btn=1\r\nClickChange=1\r\n"
              "[Paste]\r\nWaitTime=150\r\n"
              "[Menu]\r\nTabEnter=2\r\n"
              "[Image]\r\nindex0=0\r\nindex1=5\r\nindex2=0\r\nindex3=0\r\nindex4=0\r\nindex5=0\r\nindex6=11\r\n"
              "[Convert]\r\nMode=4\r\nNoHyphen=1\r\nTyping=0\r\n"
              "[HotKey]\r\nSendNext=Ctrl+Alt+V\r\nSkip=Ctrl+Alt+N\r\nBack=Ctrl+Alt+B\r\n");
    EXPECT_EQ(files.writes, std::vector<std::wstring>{kUserIni});
}

TEST_F(SettingsIo, SaveKeepsKeysItDoesNotWriteAndTheirPlaces) {
    PrepareSession();
    view.selection = nullptr;
    files.files[kUserIni] =
        "[Image]\r\nindex9=7\r\nindex1=3\r\n[Window]\r\nNodeSelect=4\r\nWidth=1\r\n[Other]\r\nx=y\r\n";
    frm.SaveSettings(kUser);
    IniFile ini = Stored();
    EXPECT_EQ(ini.ReadInteger("Image", "index9", -1), 7) << "icons of items deleted since";
    EXPECT_EQ(ini.ReadInteger("Image", "index1", -1), 5);
    EXPECT_EQ(ini.ReadInteger("Window", "NodeSelect", -1), 4) << "no selection: the old one stays";
    EXPECT_EQ(ini.ReadString("Other", "x", ""), "y");
    EXPECT_EQ(files.files[kUserIni].rfind("[Image]\r\nindex9=7\r\nindex1=5\r\nindex0=0\r\n", 0), 0u);
}

TEST_F(SettingsIo, SaveMinimizedOrMaximizedWritesNeitherPositionNorSize) {
    for (WindowState state : {WindowState::Minimized, WindowState::Maximized}) {
        PrepareSession();
        view.state = state;
        files.files[kUserIni] = "[Window]\r\nWidth=300\r\nHeight=500\r\nTop=1\r\nLeft=2\r\n";
        frm.SaveSettings(kUser);
        IniFile ini = Stored();
        EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 300);
        EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 500);
        EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 1);
        EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 2);
        EXPECT_EQ(ini.ReadString("Window", "Expand", ""), "0,1");
        EXPECT_EQ(ini.ReadInteger("Paste", "WaitTime", 0), 150);
        EXPECT_EQ(ini.ReadInteger("Image", "index6", 0), 11);
        frm.Tree().Clear();
    }
}

TEST_F(SettingsIo, SaveInCompactModeKeepsTheSizeFromBefore) {
    PrepareSession();
    view.down[ToolButton::Resize] = true;
    view.bounds = {30, 40, 130, 90};
    files.files[kUserIni] = "[Window]\r\nWidth=250\r\nHeight=450\r\n";
    frm.SaveSettings(kUser);
    IniFile ini = Stored();
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 250);
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 450);
    EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 40);
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 30);
    EXPECT_TRUE(ini.ReadBool("ToolBtn", "ResizeBtn", false));
}

TEST_F(SettingsIo, SaveNeverWritesTheEmptyPathAndAFailedWriteKeepsTheOldFile) {
    PrepareSession();
    frm.SaveSettings(L"");
    EXPECT_TRUE(files.writes.empty());

    files.files[kUserIni] = "[Window]\r\nTop=5\r\n";
    files.unwritable.insert(kUserIni);
    frm.SaveSettings(kUser);
    EXPECT_EQ(files.files[kUserIni], "[Window]\r\nTop=5\r\n");
}

TEST_F(SettingsIo, ExpandListNamesExpandedItemsEvenInsideCollapsedParents) {
    EXPECT_EQ(frm.BuildExpandList(), "No");
    BuildSmallTree();
    EXPECT_EQ(frm.BuildExpandList(), "No");
    AllowExpand(true);
    frm.Tree().Expand(At(0), true, frm.Gate());
    frm.Tree().Expand(At(5), false, frm.Gate());
    EXPECT_EQ(frm.BuildExpandList(), "0,1,3,5");
    frm.Tree().Collapse(At(0), false, frm.Gate());
    EXPECT_EQ(frm.BuildExpandList(), "1,3,5");
}

// The designed default height is at the monitor's resolution; a stored height is not.
TEST_F(SettingsIo, TheDefaultHeightFollowsTheResolutionAndAStoredOneStaysAsStored) {
    BuildSmallTree();
    view.dpi = 144;
    frm.LoadSettings(L"");
    EXPECT_EQ(view.bounds.height, 450);
    files.files[L"user.ini"] = "[Window]\r\nHeight=333\r\n";
    frm.LoadSettings(L"user.cv2");
    EXPECT_EQ(view.bounds.height, 333);
}

TEST_F(SettingsIo, FirstStartGivesEveryDefault) {
    BuildSmallTree();
    SetClickMode(true);
    SetWaitTime(99);
    // A bare ".ini" is no settings file, wherever it lies.
    files.files[L".ini"] = "[Window]\r\nTop=77\r\n[Paste]\r\nWaitTime=5\r\n";
    frm.LoadSettings(L"");
    EXPECT_EQ(view.bounds.top, 0);
    EXPECT_EQ(view.bounds.left, 0);
    EXPECT_EQ(view.bounds.width, 4 * view.buttonWidth + view.dropDownWidth);
    EXPECT_EQ(view.bounds.height, 300);
    EXPECT_EQ(frm.SavedWidth(), view.bounds.width);
    EXPECT_EQ(frm.SavedHeight(), 300);
    EXPECT_EQ(frm.WaitTime(), 0);
    EXPECT_TRUE(view.down[ToolButton::Paste]);
    EXPECT_FALSE(view.down[ToolButton::Resize]);
    EXPECT_TRUE(view.down[ToolButton::ShowToolBar2]);
    EXPECT_TRUE(frm.SavedToolBar2());
    EXPECT_EQ(frm.TabEnterIndex(), 0);
    EXPECT_FALSE(frm.ClickCheck());
    EXPECT_FALSE(frm.ExpandAllowed());
    EXPECT_EQ(ExpandedIndices(), "");
    EXPECT_EQ(view.selection, At(0));
    EXPECT_EQ(view.firstVisible, At(0));
    EXPECT_EQ(view.redrawSuspended, 0);
}

TEST_F(SettingsIo, SavedSettingsComeBack) {
    PrepareSession();
    frm.Tree().Collapse(At(1), false, frm.Gate());
    frm.SaveSettings(kUser);

    TCV2Frm other(view, platform);
    Item* a = other.Tree().AppendChild(nullptr, "A");
    Item* a1 = other.Tree().AppendChild(a, "a1");
    other.Tree().AppendChild(a1, "x");
    other.Tree().AppendChild(a, "a2");
    view.bounds = {};
    view.down.clear();
    view.selection = nullptr;
    other.LoadSettings(kUser);
    EXPECT_EQ(view.bounds, (Bounds{10, 20, 200, 400}));
    EXPECT_EQ(other.WaitTime(), 150);
    EXPECT_EQ(other.TabEnterIndex(), 2);
    EXPECT_TRUE(other.ClickCheck());
    EXPECT_TRUE(view.down[ToolButton::Paste]);
    EXPECT_TRUE(view.down[ToolButton::ShowToolBar2]);
    // Stored was "0": restoring opens the whole subtree, a1 included.
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(a1->Expanded());
    EXPECT_EQ(view.selection, other.Tree().ItemAt(3));
    EXPECT_EQ(view.firstVisible, view.selection);
    EXPECT_EQ(other.Conversion().mode, kConvertHiragana);
    EXPECT_TRUE(other.Conversion().noHyphen);
    EXPECT_FALSE(other.Conversion().typing);
}

TEST_F(SettingsIo, ConversionIsReadWhateverStoppedTheKeysBeforeIt) {
    BuildSmallTree();
    const std::string convert = "[Convert]\r\nMode=5\r\nNoHyphen=1\r\nTyping=1\r\n";
    for (const std::string& before : {std::string("[Menu]\r\nTabEnter=3\r\n"), std::string("[Window]\r\nExpand=x\r\n"),
                                      std::string("[Window]\r\nNodeSelect=99\r\n")}) {
        SCOPED_TRACE(before);
        SetConversion({});
        LoadFrom(before + convert);
        EXPECT_EQ(frm.Conversion().mode, kConvertHalfWidthKana);
        EXPECT_TRUE(frm.Conversion().noHyphen);
        EXPECT_TRUE(frm.Conversion().typing);
    }
    // An empty tree has no item to select, which ends the other keys every time.
    frm.Tree().Clear();
    SetConversion({});
    LoadFrom(convert);
    EXPECT_EQ(frm.Conversion().mode, kConvertHalfWidthKana);
}

TEST_F(SettingsIo, ABadConversionValueReadsAsZeroAndStopsNothingElse) {
    BuildSmallTree();
    struct Case {
        const char* values;
        int mode;
        bool noHyphen;
        bool typing;
    };
    for (const Case& c :
         {Case{"", 0, false, false}, Case{"Mode=6\r\nNoHyphen=1\r\n", 0, true, false},
          Case{"Mode=-1\r\nTyping=1\r\n", 0, false, true}, Case{"Mode=x\r\nNoHyphen=2\r\n", 0, false, false},
          Case{"Mode=3\r\nNoHyphen=\r\nTyping=yes\r\n", 3, false, false},
          Case{"Mode=$2\r\nNoHyphen=-1\r\nTyping=0\r\n", 2, false, false}}) {
        SCOPED_TRACE(c.values);
        SetConversion({1, true, true});
        view.selection = nullptr;
        LoadFrom(std::string("[Window]\r\nNodeSelect=2\r\n[Convert]\r\n") + c.values);
        EXPECT_EQ(frm.Conversion().mode, c.mode);
        EXPECT_EQ(frm.Conversion().noHyphen, c.noHyphen);
        EXPECT_EQ(frm.Conversion().typing, c.typing);
        EXPECT_EQ(view.selection, At(2));
    }
}

TEST_F(SettingsIo, HandlersApplyWhatWasRead) {
    BuildSmallTree();
    LoadFrom("[ToolBtn]\r\nPasteBtn=0\r\nClickChange=1\r\n[Menu]\r\nTabEnter=1\r\n");
    EXPECT_FALSE(view.timerEnabled);
    EXPECT_EQ(view.tabEnterImage, 25);
    EXPECT_TRUE(frm.ClickHandlerInstalled());
    EXPECT_FALSE(frm.DblClickHandlerInstalled());
    EXPECT_EQ(view.selection, At(0));
}

TEST_F(SettingsIo, CompactModeComesBackAfterTheNormalSize) {
    PrepareSession();
    frm.SaveSettings(kUser);
    view.down[ToolButton::Resize] = true;
    view.bounds = {30, 40, 130, 90};
    frm.SaveSettings(kUser);

    view.down.clear();
    view.bounds = {};
    frm.LoadSettings(kUser);
    EXPECT_TRUE(view.down[ToolButton::Resize]);
    EXPECT_EQ(frm.SavedWidth(), 200);
    EXPECT_EQ(frm.SavedHeight(), 400);
    EXPECT_EQ(view.bounds.left, 30);
    EXPECT_EQ(view.bounds.top, 40);
    EXPECT_EQ(view.bounds.width, frm.MinimumWidth());
    EXPECT_EQ(view.ClientHeight(), frm.CompactClientHeight());

    // Leaving compact mode restores the stored size.
    view.down[ToolButton::Resize] = false;
    frm.ResizeBtnClick();
    EXPECT_EQ(view.bounds, (Bounds{30, 40, 200, 400}));
}

TEST_F(SettingsIo, BadTabEnterSkipsEverythingAfterTheButtons) {
    BuildSmallTree();
    SetClickMode(true);
    LoadFrom(
        "[Window]\r\nTop=7\r\nLeft=8\r\nWidth=210\r\nHeight=410\r\nExpand=0\r\nNodeSelect=2\r\n"
        "[ToolBtn]\r\nPasteBtn=0\r\nShowToolBar2Btn=0\r\nClickChange=0\r\n[Paste]\r\nWaitTime=40\r\n"
        "[Menu]\r\nTabEnter=3\r\n");
    EXPECT_EQ(view.bounds, (Bounds{8, 7, 210, 410}));
    EXPECT_EQ(frm.WaitTime(), 40);
    EXPECT_FALSE(view.down[ToolButton::Paste]);
    EXPECT_FALSE(view.down[ToolButton::ShowToolBar2]);
    EXPECT_EQ(frm.TabEnterIndex(), 0);
    EXPECT_EQ(view.tabEnterHint, "処理切替") << "the follow-up key button is left alone";
    EXPECT_TRUE(view.timerEnabled) << "paste-into-target mode is not applied";
    EXPECT_TRUE(frm.ClickCheck());
    EXPECT_TRUE(frm.ClickHandlerInstalled());
    EXPECT_FALSE(frm.DblClickHandlerInstalled()) << "the click mode stays as it was";
    EXPECT_EQ(ExpandedIndices(), "");
    EXPECT_EQ(view.selection, nullptr);
    EXPECT_EQ(view.redrawSuspended, 0);

    LoadFrom("[Menu]\r\nTabEnter=-1\r\n[ToolBtn]\r\nClickChange=0\r\n");
    EXPECT_TRUE(frm.ClickCheck());
}

TEST_F(SettingsIo, ExpandStopsAtTheFirstBadElement) {
    BuildSmallTree();
    LoadFrom("[Window]\r\nExpand=1,x,5\r\nNodeSelect=2\r\n");
    EXPECT_EQ(ExpandedIndices(), "1");
    EXPECT_TRUE(frm.ExpandAllowed());
    EXPECT_EQ(view.selection, nullptr);
    EXPECT_EQ(view.redrawSuspended, 0);
}

TEST_F(SettingsIo, ExpandStopsAtAnEmptyElementAnEmptyValueOrAMissingItem) {
    const char* values[] = {"Expand=0,,5", "Expand=", "Expand=0,7,5", "Expand=\" \"", "Expand=0,99999999999"};
    for (const char* value : values) {
        SCOPED_TRACE(value);
        frm.Tree().Clear();
        BuildSmallTree();
        view.selection = nullptr;
        LoadFrom(std::string("[Window]\r\n") + value + "\r\nNodeSelect=2\r\n");
        EXPECT_EQ(At(5)->Expanded(), false);
        EXPECT_EQ(view.selection, nullptr);
    }
}

TEST_F(SettingsIo, ExpandElementsAreCommaText) {
    BuildSmallTree();
    LoadFrom("[Window]\r\nExpand= \"1\" , $5 \r\nNodeSelect=6\r\n");
    EXPECT_EQ(ExpandedIndices(), "1,5");
    EXPECT_EQ(view.selection, At(6));

    frm.Tree().Clear();
    BuildSmallTree();
    AllowExpand(false);
    LoadFrom("[Window]\r\nExpand=No,3\r\nNodeSelect=4\r\n");
    EXPECT_EQ(ExpandedIndices(), "");
    EXPECT_FALSE(frm.ExpandAllowed()) << "nothing to expand: the gate stays as it was";
    EXPECT_EQ(view.selection, At(4));
}

TEST_F(SettingsIo, ALongExpandListIsReadUpToItsLimit) {
    ItemTree& t = frm.Tree();
    for (int i = 0; i < 700; ++i) t.AppendChild(t.AppendChild(nullptr, "p"), "c");
    AllowExpand(true);
    for (Item* top = t.First(); top; top = top->NextSibling()) t.Expand(top, false, frm.Gate());
    view.selection = At(5);
    const std::string full = frm.BuildExpandList();
    ASSERT_GT(full.size(), 2047u);
    frm.SaveSettings(kUser);
    for (Item* top = t.First(); top; top = top->NextSibling()) t.Collapse(top, false, frm.Gate());
    view.selection = nullptr;

    frm.LoadSettings(kUser);
    // The cut may shorten the last index; whatever it names is expanded (a leaf: nothing).
    std::set<int> opened;
    for (const std::string& element : SplitCommaText(full.substr(0, 2047)))
        if (At(std::stoi(element))->HasChildren()) opened.insert(std::stoi(element));
    std::string expected;
    for (int index : opened) expected += (expected.empty() ? "" : ",") + std::to_string(index);
    EXPECT_EQ(ExpandedIndices(), expected);
    EXPECT_LT(ExpandedIndices().size(), full.size());
    EXPECT_EQ(view.selection, At(5));
}

TEST_F(SettingsIo, SelectionPastTheEndIsSkipped) {
    BuildSmallTree();
    LoadFrom("[Window]\r\nExpand=5\r\nNodeSelect=7\r\n");
    EXPECT_EQ(ExpandedIndices(), "5");
    EXPECT_EQ(view.selection, nullptr);
    EXPECT_EQ(view.redrawSuspended, 0);

    frm.Tree().Clear();
    LoadFrom("[Window]\r\nTop=3\r\n");
    EXPECT_EQ(view.bounds.top, 3);
    EXPECT_EQ(view.selection, nullptr) << "an empty tree has nothing to select";
}

TEST_F(SettingsIo, ItemImagesComeFromTheCurrentUserFilesSettings) {
    BuildSmallTree();
    frm.Tree().SetImageIndex(At(4), 9);
    // Indices that name no icon, up to the ends of the integer range, count as missing.
    files.files[kUserIni] =
        "[Image]\r\nindex0=3\r\nINDEX2=11\r\nindex3=2147483647\r\nindex4=-2147483648\r\n"
        "index5=12\r\nindex6=-1\r\nindex7=4\r\n";
    SetFileName(kUser);
    frm.LoadItemImages();
    int expected[] = {3, 0, 11, 0, 0, 0, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(At(i)->ImageIndex(), expected[i]) << i;
        EXPECT_EQ(At(i)->SelectedIndex(), expected[i] + 12) << i;
    }
    EXPECT_EQ(view.redrawSuspended, 0);

    SetFileName(L"");
    files.files[L".ini"] = "[Image]\r\nindex0=3\r\n";
    frm.LoadItemImages();
    EXPECT_EQ(At(0)->ImageIndex(), 0);
}

TEST_F(SettingsIo, HexIndicesAtTheEndsOfTheRangeAreIgnoredToo) {
    BuildSmallTree();
    files.files[kUserIni] = "[Image]\r\nindex0=$7FFFFFFF\r\nindex1=0x80000000\r\nindex2=$B\r\n";
    SetFileName(kUser);
    frm.LoadItemImages();
    EXPECT_EQ(At(0)->SelectedIndex(), 12);
    EXPECT_EQ(At(1)->SelectedIndex(), 12);
    EXPECT_EQ(At(2)->SelectedIndex(), 23);
}

TEST_F(SettingsIo, ASettingsFileThatCouldNotBeReadIsNeverReplaced) {
    // Another program held the file when the tree was loaded: its icons were not seen.
    PrepareSession();
    const std::string held = "[Image]\r\nindex1=7\r\n[Window]\r\nTop=5\r\n";
    files.files[kUserIni] = held;
    files.unreadable.insert(kUserIni);
    SetFileName(kUser);
    frm.LoadItemImages();
    frm.LoadSettings(kUser);
    EXPECT_EQ(At(1)->ImageIndex(), 0);

    // ...and lets go of it before the exit: still not written, neither at exit nor on save.
    files.unreadable.clear();
    frm.FormDestroy();
    frm.SaveSettings(kUser);
    EXPECT_EQ(files.files[kUserIni], held);
    EXPECT_EQ(files.writes, std::vector<std::wstring>{L"C:\\Apps\\Corvell2.ini"});

    // Opening it again once it can be read makes it the program's to write once more.
    frm.LoadItemImages();
    EXPECT_EQ(At(1)->ImageIndex(), 7);
    frm.FormDestroy();
    EXPECT_EQ(Stored().ReadInteger("Image", "index1", -1), 7);
}

TEST_F(SettingsIo, ASettingsFileHeldAtTheMomentOfSavingKeepsItsKeys) {
    PrepareSession();
    const std::string held = "[Other]\r\nkey=1\r\n";
    files.files[kUserIni] = held;
    files.files[L"C:\\Apps\\Corvell2.ini"] = held;
    files.unreadable = {kUserIni, L"C:\\Apps\\Corvell2.ini"};
    SetFileName(kUser);
    frm.FormDestroy();
    EXPECT_TRUE(files.writes.empty());
    EXPECT_EQ(files.files[kUserIni], held);

    // A file that is simply not there is written as always.
    files.files.clear();
    frm.FormDestroy();
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{L"C:\\Apps\\Corvell2.ini", kUserIni}));
}

TEST_F(SettingsIo, DestroyWritesTheExecutablesSettingsThenTheUserFiles) {
    PrepareSession();
    frm.FormDestroy();
    EXPECT_EQ(files.writes, std::vector<std::wstring>{L"C:\\Apps\\Corvell2.ini"});

    files.writes.clear();
    SetFileName(kUser);
    frm.FormDestroy();
    EXPECT_EQ(files.writes, (std::vector<std::wstring>{L"C:\\Apps\\Corvell2.ini", kUserIni}));
    EXPECT_EQ(files.files[L"C:\\Apps\\Corvell2.ini"], files.files[kUserIni]);
    EXPECT_EQ(Stored(L"C:\\Apps\\Corvell2.ini").ReadInteger("Convert", "Mode", -1), kConvertHiragana);
}

}  // namespace
}  // namespace cv2::testing
