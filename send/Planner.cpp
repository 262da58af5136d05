#include "send/Planner.h"

#include "send/KeyBatches.h"

namespace cv2 {
namespace {

enum class Way { Paste, Diary, Type, Space };

Way WayOf(const SendSettings& s, const ItemSend& item) {
    switch (item.way) {
        case SendWay::Type:
            return Way::Type;
        case SendWay::Space:
            return Way::Space;
        case SendWay::Paste:
            return s.specialTarget ? Way::Diary : Way::Paste;
        case SendWay::Default:
            break;
    }
    // The diary takes its paste by message whatever the typing mode says, as it always did.
    if (s.specialTarget) return Way::Diary;
    return s.conversion.typing ? Way::Type : Way::Paste;
}

std::vector<KeyEvent> FollowUpKeys(const SendSettings& s, FollowUpChoice choice) {
    switch (choice) {
        case FollowUpChoice::None:
            return {};
        case FollowUpChoice::Tab:
            return KeyStroke(kVkTab);
        case FollowUpChoice::Enter:
            return KeyStroke(kVkReturn);
        case FollowUpChoice::Default:
            break;
    }
    if (s.followUp == 1) return KeyStroke(kVkTab);
    if (s.followUp == 2) return KeyStroke(kVkReturn);
    return {};
}

Step Make(StepKind kind, WindowHandle window = 0) {
    Step s;
    s.kind = kind;
    s.window = window;
    return s;
}

Step OfferStep(const std::string& text) {
    Step s = Make(StepKind::Offer);
    s.text = text;
    return s;
}

Step ReleaseHeldStep(bool withCtrl) {
    Step s = Make(StepKind::ReleaseHeld);
    s.withCtrl = withCtrl;
    return s;
}

Step KeysStep(WindowHandle target, std::vector<KeyEvent> keys, bool paste) {
    Step s = Make(StepKind::Keys, target);
    s.keys = std::move(keys);
    s.paste = paste;
    return s;
}

void Append(std::vector<KeyEvent>& to, const std::vector<KeyEvent>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// The clipboard part of an item: every way but Space puts the text there, so that the user
// can still paste it by hand. An empty item leaves the clipboard as it was, but an item
// that converts to nothing replaces it, so that what was there is not pasted instead.
bool WillOffer(const ItemSend& item, Way way) { return way != Way::Space && !item.text.empty(); }

// `awaited`: the wait for the text before to be taken is in the plan already.
void AddOffer(std::vector<Step>& steps, const SendSettings& s, const ItemSend& item, Way way, bool awaited = false) {
    if (!WillOffer(item, way)) return;
    if (!awaited) steps.push_back(Make(StepKind::AwaitTaken));
    steps.push_back(OfferStep(TextToSend(s, item.text)));
}

// What goes into the target for one item once it is in front: the text by its way and the
// follow-up key, in one batch where keys carry both. In a group an empty item pastes
// nothing: its follow-up key alone skips a field.
void AddDelivery(std::vector<Step>& steps, const SendSettings& s, const ItemSend& item, Way way, bool inGroup) {
    const WindowHandle t = s.target;
    const std::vector<KeyEvent> followUp = FollowUpKeys(s, item.followUp);
    if (inGroup && item.text.empty() && way != Way::Space) way = Way::Type;
    switch (way) {
        case Way::Paste: {
            // Ctrl is let go by the chord's own release: a held Ctrl stays out of it.
            steps.push_back(ReleaseHeldStep(false));
            std::vector<KeyEvent> keys = PasteChord();
            Append(keys, followUp);
            steps.push_back(KeysStep(t, std::move(keys), true));
            return;
        }
        case Way::Diary:
            steps.push_back(Make(StepKind::DiaryPaste, t));
            break;
        case Way::Type: {
            std::vector<KeyEvent> keys = TypedKeys(TextToSend(s, item.text));
            if (keys.empty()) break;
            // A held Ctrl or Alt would turn typed characters into shortcuts, and an open
            // input method would take them for kana to compose.
            steps.push_back(ReleaseHeldStep(true));
            steps.push_back(Make(StepKind::CloseIme, t));
            Append(keys, followUp);
            steps.push_back(KeysStep(t, std::move(keys), false));
            steps.push_back(Make(StepKind::ReopenIme, t));
            return;
        }
        case Way::Space: {
            std::vector<KeyEvent> keys = KeyStroke(kVkSpace);
            Append(keys, followUp);
            steps.push_back(ReleaseHeldStep(true));
            steps.push_back(KeysStep(t, std::move(keys), false));
            return;
        }
    }
    // The follow-up key with no chord before it: a held Ctrl would make Tab into Ctrl+Tab.
    if (followUp.empty()) return;
    steps.push_back(ReleaseHeldStep(true));
    steps.push_back(KeysStep(t, followUp, false));
}

// Time for the user to let go of the keys of the gesture or hotkey that started a plan.
void AddAwaitKeysUp(std::vector<Step>& steps, const std::vector<std::uint16_t>& heldKeys) {
    if (heldKeys.empty()) return;
    Step wait = Make(StepKind::AwaitKeysUp);
    for (std::uint16_t key : heldKeys) wait.keys.push_back(Press(key));
    wait.ms = kHotKeyReleaseMs;
    steps.push_back(wait);
}

void AddActivation(std::vector<Step>& steps, const SendSettings& s) {
    steps.push_back(Make(StepKind::Activate, s.target));
    if (s.waitMs > 0) {
        Step pause = Make(StepKind::Pause);
        pause.ms = s.waitMs;
        steps.push_back(pause);
    }
}

}  // namespace

std::string TextToSend(const SendSettings& settings, const std::string& itemText) {
    return ConvertForSending(itemText, settings.conversion.mode, settings.conversion.noHyphen);
}

Plan PlanSend(const SendSettings& s, const ItemSend& item) { return PlanGroup(s, {item}); }

Plan PlanFollowUpOnly(const SendSettings& s) {
    Plan plan;
    plan.owner = s.owner;
    const std::vector<KeyEvent> followUp = FollowUpKeys(s, FollowUpChoice::Default);
    if (!s.pasteMode || followUp.empty()) return plan;
    plan.steps.push_back(Make(StepKind::Activate, s.target));
    plan.steps.push_back(ReleaseHeldStep(true));
    plan.steps.push_back(KeysStep(s.target, followUp, false));
    plan.steps.push_back(Make(StepKind::Refocus, s.target));
    return plan;
}

Plan PlanGroup(const SendSettings& s, const std::vector<ItemSend>& items, const std::vector<std::uint16_t>& heldKeys) {
    Plan plan;
    plan.owner = s.owner;
    if (s.pasteMode) AddAwaitKeysUp(plan.steps, heldKeys);
    const std::size_t n = items.size();
    for (std::size_t i = 0; i < n; ++i) {
        const ItemSend& item = items[i];
        const Way way = WayOf(s, item);
        if (!s.pasteMode) {
            // The clipboard only: a group would leave just its last text there.
            if (n == 1) AddOffer(plan.steps, s, item, way);
            continue;
        }
        if (n > 1) {
            Step progress = Make(StepKind::Progress);
            progress.text = std::to_string(i + 1) + "/" + std::to_string(n);
            plan.steps.push_back(progress);
        }
        // The user may stop a group while it waits for the text before to be taken: the
        // checkpoint comes after that wait and before anything of this item goes out.
        if (i > 0 && WillOffer(item, way)) plan.steps.push_back(Make(StepKind::AwaitTaken));
        if (i > 0) plan.steps.push_back(Make(StepKind::Checkpoint, s.target));
        AddOffer(plan.steps, s, item, way, i > 0);
        if (i == 0) AddActivation(plan.steps, s);
        AddDelivery(plan.steps, s, item, way, n > 1);
    }
    if (s.pasteMode && n > 0) plan.steps.push_back(Make(StepKind::Refocus, s.target));
    return plan;
}

Plan PlanFormStep(const SendSettings& s, FormStep formStep, const ItemSend& item,
                  const std::vector<std::uint16_t>& heldKeys) {
    Plan plan;
    plan.owner = s.owner;
    AddAwaitKeysUp(plan.steps, heldKeys);
    plan.steps.push_back(ReleaseHeldStep(true));
    switch (formStep) {
        case FormStep::Send: {
            const Way way = WayOf(s, item);
            AddOffer(plan.steps, s, item, way);
            AddDelivery(plan.steps, s, item, way, true);
            break;
        }
        case FormStep::Skip: {
            const std::vector<KeyEvent> followUp = FollowUpKeys(s, item.followUp);
            if (!followUp.empty()) plan.steps.push_back(KeysStep(s.target, followUp, false));
            break;
        }
        case FormStep::Back:
            plan.steps.push_back(KeysStep(s.target, KeyStroke(kVkTab, true), false));
            break;
    }
    return plan;
}

}  // namespace cv2
