// The settings file beside a user file and beside the executable: window geometry, tool
// buttons, wait time, follow-up key, click mode, expanded items, selection, icons and the
// items' own ways of sending.
//
// The whole file is read once into an IniFile and written once, atomically, so that a
// tree of thousands of items costs milliseconds and a failed write leaves the old file.
#include <stdexcept>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/RedrawSuspension.h"
#include "base/Path.h"
#include "settings/CommaText.h"
#include "settings/Ini.h"
#include "base/Error.h"
#include "base/Text.h"
#include "wingui/Monitors.h"

namespace cv2 {
namespace {

constexpr std::string_view kWindow = "Window";
constexpr std::string_view kToolBtn = "ToolBtn";
constexpr std::string_view kPaste = "Paste";
constexpr std::string_view kMenu = "Menu";
constexpr std::string_view kImage = "Image";
constexpr std::string_view kConvert = "Convert";
// An item's own way of sending, by absolute index like the icons: "Way<N>" and "FollowUp<N>".
// Only items with a choice have keys, so files of users who never choose stay as they were.
constexpr std::string_view kItemSend = "ItemSend";
constexpr int kTabEnterEntries = 3;

constexpr int kImageCount = 12;

// Settings that were never stored: an empty path names no file at all (a bare ".ini"
// must not be looked up in whatever the current folder is).
IniFile LoadSettingsFile(FileSystem& files, const std::wstring& path) {
    if (path.empty()) return IniFile();
    return IniFile::Load(files, SettingsFileOf(path));
}

// An element of the Expand list as an integer, read as every integer of the file is;
// throws for anything else.
int ParseIndexElement(std::string_view text) {
    const int value = StrToIntDef(text, 0);
    if (value != StrToIntDef(text, 1)) throw std::invalid_argument("not an integer");
    return value;
}

// A value outside its range reads as 0, like a missing one.
SendConversion ReadConversion(const IniFile& ini) {
    auto read = [&ini](std::string_view key, int count) {
        const int value = ini.ReadInteger(kConvert, key, 0);
        return value >= 0 && value < count ? value : 0;
    };
    SendConversion conversion;
    conversion.mode = read("Mode", kConvertModeCount);
    conversion.noHyphen = read("NoHyphen", 2) == 1;
    conversion.typing = read("Typing", 2) == 1;
    return conversion;
}

// The keys of item N, built in place: a tree of 20,000 items has 40,000 of them to look up.
struct ChoiceKeys {
    std::string way = "Way";
    std::string followUp = "FollowUp";
    void For(int n) {
        way.resize(3);
        way += IntToStr(n);
        followUp.resize(8);
        followUp += IntToStr(n);
    }
};

// A key left from an earlier save is overwritten with the default: it would otherwise give its
// choice to whichever item now stands at that index.
void WriteChoice(IniFile& ini, const std::string& key, int value) {
    if (value != 0 || ini.HasKey(kItemSend, key)) ini.WriteInteger(kItemSend, key, value);
}

// A value outside its range reads as the default, like a missing one.
int ReadChoice(const IniFile& ini, const std::string& key, int count) {
    const int value = ini.ReadInteger(kItemSend, key, 0);
    return value >= 0 && value < count ? value : 0;
}

}  // namespace

void TCV2Frm::SaveSettings(const std::wstring& path) {
    if (path.empty()) return;
    try {
        const std::wstring file = SettingsFileOf(path);
        // A file that was there but could not be read when this tree was loaded holds icons
        // and places this program never saw: writing it now would replace them with defaults.
        for (const std::wstring& held : unreadSettings)
            if (SameTextAscii(held, file)) return;
        // Keys this save does not write (icons of items since deleted, an old NodeSelect
        // or TabEnter) keep their values and places; an unreadable file is left alone.
        IniFile ini = IniFile::Load(platform_.files, file);
        if (ini.Unreadable()) return;
        if (WriteSettings(ini)) ini.Save(platform_.files, file);
    } catch (const std::exception&) {
        // Settings are a convenience: a file that cannot be written is not worth a message.
    }
}

bool TCV2Frm::WriteSettings(IniFile& ini) {
    try {
        const WindowState state = view_.GetState();
        const Bounds bounds = view_.GetBounds();
        // In compact mode the window's size is the shrunk one; the size to restore is
        // whatever was stored before.
        if (state == WindowState::Normal && !view_.IsDown(ToolButton::Resize)) {
            ini.WriteInteger(kWindow, "Width", bounds.width);
            ini.WriteInteger(kWindow, "Height", bounds.height);
        }
        if (state == WindowState::Normal) {
            ini.WriteInteger(kWindow, "Top", bounds.top);
            ini.WriteInteger(kWindow, "Left", bounds.left);
        }
        ini.WriteString(kWindow, "Expand", BuildExpandList());
        ini.WriteBool(kToolBtn, "ResizeBtn", view_.IsDown(ToolButton::Resize));
        ini.WriteBool(kToolBtn, "PasteBtn", view_.IsDown(ToolButton::Paste));
        ini.WriteBool(kToolBtn, "ShowToolBar2Btn", view_.IsDown(ToolButton::ShowToolBar2));
        ini.WriteBool(kToolBtn, "ClickChange", clickCheck);
        ini.WriteInteger(kPaste, "WaitTime", waitTime);
        if (tabEnterIndex >= 0 && tabEnterIndex < kTabEnterEntries) ini.WriteInteger(kMenu, "TabEnter", tabEnterIndex);
        const Item* selected = view_.Selection();
        std::string key = "index";
        ChoiceKeys choice;
        int n = 0;
        for (const Item* item = tree_.First(); item; item = item->Next(), ++n) {
            key.resize(5);
            key += IntToStr(n);
            ini.WriteInteger(kImage, key, item->ImageIndex());
            if (item == selected) ini.WriteInteger(kWindow, "NodeSelect", n);
            choice.For(n);
            WriteChoice(ini, choice.way, static_cast<int>(item->Way()));
            WriteChoice(ini, choice.followUp, static_cast<int>(item->FollowUp()));
        }
        ini.WriteInteger(kConvert, "Mode", conversion.mode);
        ini.WriteBool(kConvert, "NoHyphen", conversion.noHyphen);
        ini.WriteBool(kConvert, "Typing", conversion.typing);
        WriteHotKeySettings(ini);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void TCV2Frm::LoadSettings(const std::wstring& path) {
    IniFile ini = LoadSettingsFile(platform_.files, path);
    NoteSettingsRead(SettingsFileOf(path), ini);
    ApplySettings(ini);
}

void TCV2Frm::ApplySettings(const IniFile& ini) {
    // Before the paste button's handler registers them.
    ReadHotKeySettings(ini);
    RedrawSuspension redraw(view_);
    // Each step builds on the ones before; the first that fails leaves the rest undone
    // and whatever was applied so far stays.
    try {
        Bounds stored;
        stored.top = ini.ReadInteger(kWindow, "Top", 0);
        stored.left = ini.ReadInteger(kWindow, "Left", 0);
        stored.width = ini.ReadInteger(kWindow, "Width", 4 * view_.ButtonWidth() + view_.DropDownWidth());
        stored.height = ini.ReadInteger(kWindow, "Height", view_.Scaled(300));
        // A place stored on a monitor since unplugged, or before the screens were arranged
        // anew, would put the window where nobody can see or grab it. What the window ends
        // up with is what the next save stores.
        view_.SetBounds(FitOnMonitors(stored, view_.CaptionHeight(), view_.Monitors()));
        waitTime = ini.ReadInteger(kPaste, "WaitTime", 0);
        const Bounds b = view_.GetBounds();
        savedWidth = b.width;
        savedHeight = b.height;

        view_.SetDown(ToolButton::Paste, ini.ReadBool(kToolBtn, "PasteBtn", true));
        view_.SetDown(ToolButton::Resize, ini.ReadBool(kToolBtn, "ResizeBtn", false));
        ResizeBtnClick();
        view_.SetDown(ToolButton::ShowToolBar2, ini.ReadBool(kToolBtn, "ShowToolBar2Btn", true));
        ShowToolBar2BtnClick();
        savedToolBar2 = view_.IsDown(ToolButton::ShowToolBar2);

        const int tabEnter = ini.ReadInteger(kMenu, "TabEnter", 0);
        if (tabEnter < 0 || tabEnter >= kTabEnterEntries) throw IndexError();
        tabEnterIndex = tabEnter;
        UpdateTabEnterButton();
        PasteBtnClick();
        clickCheck = ini.ReadBool(kToolBtn, "ClickChange", false);
        ApplyClickMode();

        const std::vector<std::string> expand = SplitCommaText(ini.ReadString(kWindow, "Expand", "No"));
        if (expand.empty()) throw IndexError();
        if (expand.front() != "No") {
            // Stays set until the pointer next moves over the tree.
            expandAllowed = true;
            for (const std::string& element : expand)
                tree_.Expand(tree_.ItemAt(ParseIndexElement(element)), true, Gate());
        }

        Item* selected = tree_.ItemAt(ini.ReadInteger(kWindow, "NodeSelect", 0));
        view_.Select(selected);
        view_.MakeFirstVisible(selected);
    } catch (const std::exception&) {}
    // Outside the block above: an empty tree (no item to select) or a bad Expand value must
    // not lose the conversion, which the next save would then overwrite.
    conversion = ReadConversion(ini);
    // The hotkeys follow the paste button even when the steps stopped before its handler.
    SyncHotKeys(view_.IsDown(ToolButton::Paste));
}

std::string TCV2Frm::BuildExpandList() {
    std::string list;
    int n = 0;
    for (const Item* item = tree_.First(); item; item = item->Next(), ++n) {
        if (!item->Expanded()) continue;
        if (!list.empty()) list += ',';
        list += IntToStr(n);
    }
    return list.empty() ? "No" : list;
}

void TCV2Frm::NoteSettingsRead(const std::wstring& file, const IniFile& ini) {
    std::erase_if(unreadSettings, [&](const std::wstring& held) { return SameTextAscii(held, file); });
    if (ini.Unreadable()) unreadSettings.push_back(file);
}

void TCV2Frm::LoadItemImages() { LoadItemImages(tree_, fileName); }

void TCV2Frm::LoadItemImages(ItemTree& tree, const std::wstring& path) {
    IniFile ini = LoadSettingsFile(platform_.files, path);
    if (!path.empty()) NoteSettingsRead(SettingsFileOf(path), ini);
    ApplyItemSettings(tree, ini);
}

void TCV2Frm::ApplyItemSettings(ItemTree& tree, const IniFile& ini) {
    RedrawSuspension redraw(view_);
    std::string key = "index";
    ChoiceKeys choice;
    int n = 0;
    for (Item* item = tree.First(); item; item = item->Next(), ++n) {
        key.resize(5);
        key += IntToStr(n);
        // An index from a hand-edited file that names no icon is taken as missing.
        const int image = ini.ReadInteger(kImage, key, 0);
        tree.SetImageIndex(item, image >= 0 && image < kImageCount ? image : 0);
        choice.For(n);
        tree.SetSendChoice(item, static_cast<SendWay>(ReadChoice(ini, choice.way, kSendWayCount)),
                           static_cast<FollowUpChoice>(ReadChoice(ini, choice.followUp, kFollowUpChoiceCount)));
    }
}

void TCV2Frm::FormDestroy() {
    // The system keeps a window's hotkeys until its thread ends.
    SyncHotKeys(false);
    // After the end of the session the settings are written already, with the state the
    // session ended in.
    if (sessionEnded) return;
    SaveSettings(platform_.files.ModulePath());
    if (!fileName.empty()) SaveSettings(fileName);
}

}  // namespace cv2
