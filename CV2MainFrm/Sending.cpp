// Target tracking, and the gestures that send: each builds a plan and hands it to the engine.
#include <iterator>

#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {
namespace {

// Tarvex's diary window takes no synthesized Ctrl+V; its edit control gets WM_PASTE.
constexpr const char* kSpecialTargetTitle = "Tarvex[Tarvex] - [日記・予定]";

struct FollowUpDisplay {
    int image;
    const char* hint;
    const char* menuCaption;
};
constexpr FollowUpDisplay kFollowUpDisplay[] = {
    {24, "何もしない", "何もしない(&P)"},
    {25, "Tabを押す", "Tabを押す(&P)"},
    {26, "Enterを押す", "Enterを押す(&P)"},
};

ItemSend ItemToSend(const Item& item) { return {item.Text(), item.Way(), item.FollowUp()}; }

}  // namespace

// ---- target tracking ----

void TCV2Frm::Timer1Timer() {
    engine_.Idle();
    WindowHandle h = platform_.desktop.GetForegroundWindow();
    if (h == view_.Handle()) return;
    // Our own dialogs and message boxes, hidden and cloaked windows, palettes and the shell
    // are never where the user means to paste: the last real target stays.
    if (!CanBeTarget(platform_.desktop.Facts(h))) return;
    std::string title = platform_.desktop.GetWindowText(h, kTitleBufferBytes);
    if (title.empty()) return;
    if (title != view_.StatusText() || h != targetWindow) {
        targetWindow = h;
        view_.SetStatusText(title);
    }
}

void TCV2Frm::PasteBtnClick() {
    if (view_.IsDown(ToolButton::Paste)) {
        view_.SetTimerEnabled(true);
    } else {
        view_.SetTimerEnabled(false);
        view_.SetStatusText("");
    }
    SyncHotKeys(view_.IsDown(ToolButton::Paste));
}

// ---- sending ----

SendSettings TCV2Frm::CurrentSendSettings() {
    SendSettings s;
    s.owner = view_.Handle();
    s.pasteMode = view_.IsDown(ToolButton::Paste);
    s.target = targetWindow;
    s.specialTarget = view_.StatusText() == kSpecialTargetTitle;
    s.waitMs = waitTime;
    s.followUp = tabEnterIndex;
    s.conversion = conversion;
    return s;
}

void TCV2Frm::RunPlan(const Plan& plan) {
    // A plan asked for during another's waits is queued and carried out by the run under way,
    // which shows its progress.
    if (engine_.Running()) {
        engine_.Run(plan);
        return;
    }
    // Progress replaces the target's title in the status bar while a plan runs; the title
    // comes back afterwards, whatever happened.
    const std::string title = view_.StatusText();
    bool progressShown = false;
    engine_.onProgress = [&](const std::string& text) {
        progressShown = true;
        view_.SetStatusText(text);
    };
    try {
        engine_.Run(plan);
    } catch (...) {
        engine_.onProgress = nullptr;
        if (progressShown) view_.SetStatusText(title);
        throw;
    }
    engine_.onProgress = nullptr;
    if (progressShown) view_.SetStatusText(title);
}

void TCV2Frm::SendText(const std::string& text) { RunPlan(PlanSend(CurrentSendSettings(), ItemSend{text})); }

void TCV2Frm::SendItem(const Item& item) { RunPlan(PlanSend(CurrentSendSettings(), ItemToSend(item))); }

void TCV2Frm::SendGroup(const Item& parent, bool byShift) {
    // Each child with its own text and choices; a child's own children stay where they are.
    std::vector<ItemSend> children;
    for (const Item* child = parent.FirstChild(); child; child = child->NextSibling())
        children.push_back(ItemToSend(*child));
    std::vector<std::uint16_t> held;
    if (byShift) held.push_back(kVkShift);
    RunPlan(PlanGroup(CurrentSendSettings(), children, held));
}

void TCV2Frm::SendPointerItem(bool group) {
    if (!pointerItem || !(pointerHits & kHitOnItem)) return;
    if (group && pointerItem->HasChildren())
        SendGroup(*pointerItem, true);
    else
        SendItem(*pointerItem);
}

void TCV2Frm::MainTreeClick(bool shift) {
    if (clickHandlerInstalled) SendPointerItem(shift);
}

void TCV2Frm::MainTreeDblClick(bool shift) {
    if (dblClickHandlerInstalled) SendPointerItem(shift);
}

// A hotkey works on the window in front, which stays in front: it is the target of this
// step alone, and the tracked target stays as it was.
void TCV2Frm::SendForHotKey(HotKeyAction action, const Item* item, const HotKey& pressed) {
    if (action == HotKeyAction::SendNext && !item) return;
    SendSettings s = CurrentSendSettings();
    s.target = platform_.desktop.GetForegroundWindow();
    s.specialTarget = platform_.desktop.GetWindowText(s.target, kTitleBufferBytes) == kSpecialTargetTitle;
    std::vector<std::uint16_t> held;
    if (pressed.modifiers & kHotKeyCtrl) held.push_back(kVkControl);
    if (pressed.modifiers & kHotKeyAlt) held.push_back(kVkMenu);
    if (pressed.modifiers & kHotKeyShift) held.push_back(kVkShift);
    if (pressed.modifiers & kHotKeyWin) held.insert(held.end(), {kVkLWin, kVkRWin});
    const FormStep step = action == HotKeyAction::SendNext ? FormStep::Send
                          : action == HotKeyAction::Skip   ? FormStep::Skip
                                                           : FormStep::Back;
    RunPlan(PlanFormStep(s, step, item ? ItemToSend(*item) : ItemSend{}, held));
}

void TCV2Frm::TabEnterBtnClick() { RunPlan(PlanFollowUpOnly(CurrentSendSettings())); }

void TCV2Frm::ClipboardRender(unsigned format) { engine_.Render(format); }

void TCV2Frm::ClipboardRenderAll() { engine_.RenderAll(view_.Handle()); }

void TCV2Frm::ClipboardReleased() { engine_.ClipboardReleased(); }

// ---- follow-up key and click mode ----

void TCV2Frm::UpdateTabEnterButton() {
    if (tabEnterIndex < 0 || tabEnterIndex >= static_cast<int>(std::size(kFollowUpDisplay))) return;
    const FollowUpDisplay& d = kFollowUpDisplay[tabEnterIndex];
    view_.SetTabEnterButton(d.image, d.hint);
    view_.SetTabEnterMenu(d.image, d.menuCaption);
}

void TCV2Frm::NoTabEnterClick(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kFollowUpDisplay))) return;
    tabEnterIndex = index;
    UpdateTabEnterButton();
}

void TCV2Frm::ApplyClickMode() {
    clickHandlerInstalled = clickCheck;
    dblClickHandlerInstalled = !clickCheck;
}

void TCV2Frm::ClickCheckClick() {
    clickCheck = !clickCheck;
    ApplyClickMode();
}

// ---- conversion of the sent text ----

void TCV2Frm::ConvertModeClick(int mode) {
    if (mode >= 0 && mode < kConvertModeCount) conversion.mode = mode;
}

void TCV2Frm::NoHyphenClick() { conversion.noHyphen = !conversion.noHyphen; }

void TCV2Frm::TypingClick() { conversion.typing = !conversion.typing; }

}  // namespace cv2
