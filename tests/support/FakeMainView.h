#pragma once
// A main window without pixels: it keeps selection, geometry, button states, status
// text and timer as plain fields, answers hit tests from a table, returns queued dialog
// results and records the dialogs it showed, and records the tree changes it is told of.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "wingui/Dpi.h"
#include "CV2MainFrm/MainView.h"
#include "platform/fakes/CallLog.h"
#include "base/Error.h"

namespace cv2::fakes {

class FakeMainView : public MainView, public TreeObserver {
public:
    explicit FakeMainView(CallLog& log) : log_(log) {}

    WindowHandle handle = 1;
    Item* selection = nullptr;
    Item* editing = nullptr;
    Item* firstVisible = nullptr;
    int redrawSuspended = 0;
    std::map<std::pair<int, int>, HitTest> hits;  // TreeHitTest answers by point
    Bounds bounds{184, 107, 178, 388};
    WindowState state = WindowState::Normal;
    int nonClientHeight = 34;
    int captionHeight = 30;
    // One full-HD screen with the taskbar along its bottom.
    std::vector<MonitorArea> monitors{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
    int statusBarHeight = 19;
    int buttonWidth = 23;
    int dropDownWidth = 38;
    int dpi = 96;  // the monitor's resolution, for sizes designed at 96
    bool toolBar2Visible = true;
    std::map<ToolButton, bool> down;
    int tabEnterImage = 24;
    std::string tabEnterHint = "処理切替";
    int tabEnterMenuImage = 2;
    std::string tabEnterMenuCaption = "何もしない";
    std::string status;
    bool timerEnabled = true;
    bool recoveryTimer = false;
    int recoveryTimerStarts = 0;
    std::string shutdownReason;
    std::deque<std::pair<bool, std::string>> waitDialogAnswers;  // (ok, text)
    std::vector<std::string> waitDialogShown;
    std::deque<std::pair<bool, HotKeySet>> hotKeyDialogAnswers;  // (ok, keys)
    std::vector<HotKeySet> hotKeyDialogShown;
    std::function<void()> whileHotKeyDialogOpen;
    int aboutShown = 0;
    std::deque<std::pair<bool, WizardInput>> wizardAnswers;
    int wizardShown = 0;
    std::vector<std::string> treeEvents;

    // Questions and error messages, in the order shown.
    struct Box {
        std::string text, caption;
        bool error = false;                // ShowError; otherwise a question
        Choices choices = Choices::YesNo;  // of a question
    };
    std::vector<Box> boxes;
    std::deque<Answer> answers;          // Ask's answers; Cancel when empty
    std::function<void()> whileBoxOpen;  // runs inside Ask and ShowError, as the box's own message loop would
    struct FileAnswer {
        bool ok;
        std::wstring path;
    };
    std::deque<FileAnswer> fileAnswers;  // RunFileDialog's results; cancelled when empty
    std::vector<FileDialogSpec> fileDialogs;
    std::vector<std::wstring> initialNames;

    WindowHandle Handle() override { return handle; }

    Item* Selection() override { return selection; }
    void Select(Item* item) override {
        log_.Add("Select");
        selection = item;
    }
    void StartEditing(Item* item) override { editing = item; }
    void MakeFirstVisible(Item* item) override { firstVisible = item; }
    void SuspendTreeRedraw() override { ++redrawSuspended; }
    void ResumeTreeRedraw() override { --redrawSuspended; }
    HitTest TreeHitTest(int x, int y) override {
        auto it = hits.find({x, y});
        return it == hits.end() ? HitTest{} : it->second;
    }

    Bounds GetBounds() override { return bounds; }
    void SetBounds(const Bounds& b) override { bounds = b; }
    std::vector<MonitorArea> Monitors() override { return monitors; }
    int CaptionHeight() override { return captionHeight; }
    WindowState GetState() override { return state; }
    int ClientHeight() override { return bounds.height - nonClientHeight; }
    void SetClientHeight(int height) override { bounds.height = height + nonClientHeight; }
    int CoolBarHeight() override { return toolBar2Visible ? 56 : 30; }
    int StatusBarHeight() override { return statusBarHeight; }
    int ButtonWidth() override { return buttonWidth; }
    int DropDownWidth() override { return dropDownWidth; }
    int Scaled(int designedPixels) override { return ScaleForDpi(designedPixels, dpi); }
    void SetToolBar2Visible(bool visible) override { toolBar2Visible = visible; }

    bool IsDown(ToolButton button) override { return down[button]; }
    void SetDown(ToolButton button, bool d) override { down[button] = d; }
    void SetTabEnterButton(int image, const std::string& hint) override {
        tabEnterImage = image;
        tabEnterHint = hint;
    }
    void SetTabEnterMenu(int image, const std::string& caption) override {
        tabEnterMenuImage = image;
        tabEnterMenuCaption = caption;
    }
    std::string StatusText() override { return status; }
    void SetStatusText(const std::string& text) override {
        log_.Add("SetStatusText(" + text + ")");
        status = text;
    }
    void SetTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    void SetRecoveryTimer(bool enabled) override {
        recoveryTimerStarts += enabled ? 1 : 0;
        recoveryTimer = enabled;
    }
    void SetShutdownReason(const std::string& reason) override { shutdownReason = reason; }

    Answer Ask(const std::string& text, const std::string& caption, Choices choices) override {
        boxes.push_back({text, caption, false, choices});
        if (whileBoxOpen) whileBoxOpen();
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        boxes.push_back({text, caption, true});
        if (whileBoxOpen) whileBoxOpen();
    }
    bool RunFileDialog(const FileDialogSpec& spec, std::wstring& fileName) override {
        fileDialogs.push_back(spec);
        initialNames.push_back(fileName);
        if (fileAnswers.empty()) return false;
        const FileAnswer a = fileAnswers.front();
        fileAnswers.pop_front();
        if (a.ok) fileName = a.path;
        return a.ok;
    }

    bool ShowWaitDialog(std::string& text) override {
        waitDialogShown.push_back(text);
        if (waitDialogAnswers.empty()) return false;
        auto [ok, t] = waitDialogAnswers.front();
        waitDialogAnswers.pop_front();
        if (ok) text = t;
        return ok;
    }
    bool ShowHotKeyDialog(HotKeySet& keys) override {
        hotKeyDialogShown.push_back(keys);
        if (whileHotKeyDialogOpen) whileHotKeyDialogOpen();
        if (hotKeyDialogAnswers.empty()) return false;
        auto [ok, k] = hotKeyDialogAnswers.front();
        hotKeyDialogAnswers.pop_front();
        if (ok) keys = k;
        return ok;
    }
    void ShowAboutBox() override { ++aboutShown; }
    bool ShowWizard(WizardInput& input) override {
        ++wizardShown;
        if (wizardAnswers.empty()) return false;
        auto [ok, in] = wizardAnswers.front();
        wizardAnswers.pop_front();
        if (ok) input = in;
        return ok;
    }

    // TreeObserver
    // Items whose insert into the control fails, as a control out of memory would refuse it.
    std::set<std::string> refusedTexts;
    void ItemAdded(Item& item) override {
        if (refusedTexts.count(item.Text())) throw InsertError();
        treeEvents.push_back("added " + item.Text());
    }
    void ItemRemoving(Item& item) override {
        treeEvents.push_back("removing " + item.Text());
        if (selection && (selection == &item || selection->IsDescendantOf(&item))) selection = nullptr;
    }
    void Clearing() override {
        treeEvents.push_back("clearing");
        selection = nullptr;
    }
    void SubtreeAdded(Item& item) override {
        for (const Item* n = &item; n && (n == &item || n->IsDescendantOf(&item)); n = n->Next())
            if (refusedTexts.count(n->Text())) throw InsertError();
        treeEvents.push_back("subtree " + item.Text());
    }
    void TextChanged(Item& item) override { treeEvents.push_back("text " + item.Text()); }
    void ImageChanged(Item& item) override { treeEvents.push_back("image " + item.Text()); }
    void ExpandedChanged(Item& item) override {
        treeEvents.push_back((item.Expanded() ? "expanded " : "collapsed ") + item.Text());
    }

private:
    CallLog& log_;
};

}  // namespace cv2::fakes
