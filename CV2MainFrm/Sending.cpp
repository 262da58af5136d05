// Target tracking and sending an item into another program.
#include <algorithm>
#include <iterator>
#include <vector>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/TypedText.h"
#include "base/Cp932.h"
#include "base/Error.h"

namespace cv2 {
namespace {

// Tarvex's diary window takes no synthesized Ctrl+V; its edit control gets WM_PASTE.
constexpr const char* kSpecialTargetTitle = "Tarvex[Tarvex] - [日記・予定]";
constexpr const char* kDiaryFormName = "日記・予定";

constexpr const char* kCannotOpenClipboard = "クリップボードを開くことができません";
constexpr const char* kCannotFillClipboard = "クリップボードにデータを設定できません";
constexpr const char* kTargetNotInFront = "貼り付け先のウィンドウを前面にできません";
constexpr const char* kTargetElevated = "管理者として実行中のウィンドウには貼り付けできません";

// How long a target may take to come to the front and handle its activation, in all.
constexpr int kReadyBudgetMs = 500;
constexpr int kReadyStepMs = 10;

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
constexpr int kFollowUpNone = 0;
constexpr int kFollowUpTab = 1;
constexpr int kFollowUpEnter = 2;

KeyEvent Press(std::uint16_t key) { return {key, false, false}; }
KeyEvent Release(std::uint16_t key) { return {key, true, false}; }

// The releases in batch[from..] of keys pressed in batch[..from), or of every key the batch
// presses when what went out is not known (from < 0).
std::vector<KeyEvent> ReleasesStillDue(const std::vector<KeyEvent>& batch, int from) {
    std::vector<KeyEvent> due;
    const std::size_t start = from < 0 ? 0 : static_cast<std::size_t>(from);
    for (std::size_t i = start; i < batch.size(); ++i) {
        const KeyEvent& e = batch[i];
        if (!e.release) continue;
        bool pressed = from < 0;
        for (std::size_t j = 0; j < start && !pressed; ++j)
            pressed = !batch[j].release && batch[j].key == e.key && batch[j].unicode == e.unicode;
        if (pressed) due.push_back(e);
    }
    return due;
}

// Sends the batch in one go. When the system took only its beginning, or the port threw,
// the releases of whatever may have gone down are sent again on their own, so that no key
// stays down in the system whatever fails in between.
void SendBatch(KeyInput& keys, const std::vector<KeyEvent>& batch) {
    int sent = 0;
    try {
        sent = keys.SendKeys(batch);
    } catch (...) {
        try {
            std::vector<KeyEvent> due = ReleasesStillDue(batch, -1);
            if (!due.empty()) keys.SendKeys(due);
        } catch (...) {
            // The original failure is the one to report.
        }
        throw;
    }
    std::vector<KeyEvent> due = ReleasesStillDue(batch, sent);
    // A few attempts: the system may refuse input for a moment (a desktop switch).
    for (int attempt = 0; attempt < 3 && !due.empty(); ++attempt) {
        int n = keys.SendKeys(due);
        due.erase(due.begin(), due.begin() + (n < 0 ? 0 : std::min<std::ptrdiff_t>(n, std::ssize(due))));
    }
}

// Shift, Alt or a Windows key that the user still holds would turn the paste and the
// follow-up key into other chords (Shift+Tab goes backwards). They are released and never
// pressed again. An Alt or Windows key released with nothing in between would open the
// target's menu bar or the Start menu, so an unassigned key goes first. A held Ctrl is left
// alone: the chord's own Ctrl release lets go of it.
void ReleaseModifiers(KeyInput& keys) {
    std::vector<KeyEvent> releases;
    bool menuKey = false;
    for (std::uint16_t key : {kVkLShift, kVkRShift, kVkLMenu, kVkRMenu, kVkLWin, kVkRWin}) {
        if (!keys.IsKeyDown(key)) continue;
        releases.push_back(Release(key));
        menuKey = menuKey || (key != kVkLShift && key != kVkRShift);
    }
    // Some input sources set only the generic state.
    if (releases.empty() && keys.IsKeyDown(kVkShift)) releases.push_back(Release(kVkShift));
    if (!menuKey && keys.IsKeyDown(kVkMenu)) {
        releases.push_back(Release(kVkMenu));
        menuKey = true;
    }
    if (releases.empty()) return;
    std::vector<KeyEvent> batch;
    if (menuKey) batch = {Press(kVkUnassigned), Release(kVkUnassigned)};
    batch.insert(batch.end(), releases.begin(), releases.end());
    SendBatch(keys, batch);
}

void PressAndRelease(KeyInput& keys, std::uint16_t key) {
    ReleaseModifiers(keys);
    SendBatch(keys, {Press(key), Release(key)});
}

void PasteByKeys(KeyInput& keys) {
    ReleaseModifiers(keys);
    // Ctrl is released before V, as a user's fingers would leave the keys.
    SendBatch(keys, {Press(kVkControl), Press(kVkV), Release(kVkControl), Release(kVkV)});
}

// After SetForegroundWindow(target): waits, within one budget, until the target is really
// in front and its thread has handled the activation, so that no keystroke goes out while
// the system would still drop it or hand it to another window. Throws when the target
// exists but will not come to the front. With no target, or one that is gone, the keys go
// wherever the focus is, as they always did.
void MakeReady(Desktop& desktop, WindowHandle target) {
    if (!target || !desktop.IsWindow(target)) return;
    const std::uint64_t start = desktop.TickCount();
    auto left = [&] {
        std::uint64_t spent = desktop.TickCount() - start;
        return spent >= kReadyBudgetMs ? 0 : kReadyBudgetMs - static_cast<int>(spent);
    };
    if (desktop.IsIconic(target)) desktop.ShowRestored(target);
    for (WindowHandle front; (front = desktop.GetForegroundWindow()) != target;) {
        if (!desktop.IsWindow(target)) return;
        if (left() == 0) throw Error(kTargetNotInFront);
        if (!front) {
            // No window in front: the switch was granted and the target's thread has yet to
            // take the activation (a busy machine makes this last). It is waited for, never
            // forced: forcing attaches our input to another thread's, and that throws away the
            // mouse input still queued for us, such as the release of the click being handled,
            // which the tree control is about to wait for.
            if (desktop.HasHandledActivation(target, left()) && desktop.GetForegroundWindow() == target) break;
        } else if (desktop.ForceForegroundWindow(target) && desktop.GetForegroundWindow() == target) {
            break;
        }
        desktop.Sleep(kReadyStepMs);
    }
    // In front; a target that does not answer in time gets the keys queued all the same.
    while (!desktop.HasHandledActivation(target, left())) {
        if (left() == 0 || !desktop.IsWindow(target)) return;
        desktop.Sleep(kReadyStepMs);
    }
}

// Windows silently drops synthesized input and messages into a process that runs at a
// higher integrity level (a program run as administrator).
void RefuseElevatedTarget(Desktop& desktop, WindowHandle target) {
    if (!target || !desktop.IsWindow(target)) return;
    const std::uint32_t theirs = desktop.IntegrityLevel(target);
    const std::uint32_t ours = desktop.IntegrityLevel(0);
    if (theirs != kIntegrityUnknown && ours != kIntegrityUnknown && theirs > ours) throw Error(kTargetElevated);
}

void PasteIntoDiary(Desktop& desktop, WindowHandle target) {
    // Each search takes the previous result as its parent with no test in between, so a
    // search after a failed one looks among the top-level desktop.
    const std::string diaryName = kDiaryFormName;
    WindowHandle w1 = desktop.FindWindowEx(target, "MDIClient", nullptr);
    WindowHandle w2 = desktop.FindWindowEx(w1, "ThunderRT6FormDC", &diaryName);
    WindowHandle w3 = desktop.FindWindowEx(w2, "ThunderRT6UserControlDC", nullptr);
    WindowHandle w4 = desktop.FindWindowEx(w3, "TextEdit", nullptr);
    if (w4) desktop.SendPaste(w4);
}

// UTF-16 little-endian with its terminating zero, as CF_UNICODETEXT holds it.
std::vector<unsigned char> UnicodeBytes(const std::string& text) {
    std::wstring wide = FromCp932(text);
    std::vector<unsigned char> bytes;
    bytes.reserve((wide.size() + 1) * 2);
    for (wchar_t c : wide) {
        auto unit = static_cast<unsigned>(c) & 0xFFFFu;  // code page 932 lies inside the BMP
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace

// ---- target tracking ----

void TCV2Frm::Timer1Timer() {
    WindowHandle h = platform_.desktop.GetForegroundWindow();
    if (h == view_.Handle()) return;
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

void TCV2Frm::WriteClipboardText(const std::string& text) {
    // Beside the text: our own UTF-16 text, so that the paste is right whatever the system's
    // code page; the locale that tells programs reading the text its code page; and flags
    // that keep personal data out of clipboard managers, the clipboard history and the cloud
    // clipboard. They only help, so none of them may stop the send.
    const std::vector<unsigned char> zeroDword(4, 0);
    const std::vector<ClipboardExtra> extras = {
        {kCfUnicodeText, {}, UnicodeBytes(text)},
        {kCfLocale, {}, {0x11, 0x04, 0, 0}},  // LCID 0x0411, little-endian
        {0, "ExcludeClipboardContentFromMonitorProcessing", zeroDword},
        {0, "CanIncludeInClipboardHistory", zeroDword},
        {0, "CanUploadToCloudClipboard", zeroDword},
    };
    switch (platform_.clipboard.WriteText(view_.Handle(), text, extras).status) {
        case ClipboardStatus::Ok:
            return;
        case ClipboardStatus::Busy:
            throw Error(kCannotOpenClipboard);
        case ClipboardStatus::Failed:
            throw Error(kCannotFillClipboard);
    }
    throw Error(kCannotFillClipboard);
}

void TCV2Frm::SendText(const std::string& itemText) {
    const std::string text = ConvertForSending(itemText, conversion.mode, conversion.noHyphen);
    // An item that converts to nothing still replaces the clipboard, so that what was there
    // before is not pasted in its place.
    if (!itemText.empty()) WriteClipboardText(text);
    if (!view_.IsDown(ToolButton::Paste)) return;

    Desktop& desktop = platform_.desktop;
    RefuseElevatedTarget(desktop, targetWindow);
    desktop.SetForegroundWindow(targetWindow);
    MakeReady(desktop, targetWindow);
    // A negative wait would block the program for good.
    if (waitTime >= 0) desktop.Sleep(waitTime);
    if (view_.StatusText() == kSpecialTargetTitle) {
        PasteIntoDiary(desktop, targetWindow);
    } else if (conversion.typing) {
        // For fields that refuse pasting; the text is on the clipboard all the same.
        const std::vector<KeyEvent> typed = TypedKeys(text);
        if (!typed.empty()) {
            // A held Alt would turn typed characters into the target's menu keys.
            ReleaseModifiers(platform_.keys);
            SendBatch(platform_.keys, typed);
        }
    } else {
        PasteByKeys(platform_.keys);
    }
    PressFollowUpKey();
    desktop.SetForegroundWindow(targetWindow);
}

void TCV2Frm::PressFollowUpKey() {
    if (!view_.IsDown(ToolButton::Paste)) return;
    if (tabEnterIndex == kFollowUpTab) PressAndRelease(platform_.keys, kVkTab);
    if (tabEnterIndex == kFollowUpEnter) PressAndRelease(platform_.keys, kVkReturn);
}

void TCV2Frm::SendPointerItem() {
    if (pointerItem && (pointerHits & kHitOnItem)) SendText(pointerItem->Text());
}

void TCV2Frm::MainTreeClick() {
    if (clickHandlerInstalled) SendPointerItem();
}

void TCV2Frm::MainTreeDblClick() {
    if (dblClickHandlerInstalled) SendPointerItem();
}

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

void TCV2Frm::TabEnterBtnClick() {
    if (!view_.IsDown(ToolButton::Paste) || tabEnterIndex == kFollowUpNone) return;
    RefuseElevatedTarget(platform_.desktop, targetWindow);
    platform_.desktop.SetForegroundWindow(targetWindow);
    MakeReady(platform_.desktop, targetWindow);
    PressFollowUpKey();
    platform_.desktop.SetForegroundWindow(targetWindow);
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
