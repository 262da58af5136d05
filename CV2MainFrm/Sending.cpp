// Target tracking and sending an item into another program.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "CV2MainFrm/CV2MainFrm.h"
#include "CV2MainFrm/TypedText.h"
#include "platform/Cp932.h"
#include "tree/Error.h"

namespace cv2 {
namespace {

// Tarvex's diary window takes no synthesized Ctrl+V; its edit control gets WM_PASTE.
constexpr const char* kSpecialTargetTitle = "Tarvex[Tarvex] - [日記・予定]";
constexpr const char* kDiaryFormName = "日記・予定";

constexpr const char* kCannotOpenClipboard = "クリップボードを開くことができません";
constexpr const char* kCannotFillClipboard = "クリップボードにデータを設定できません";

// Clipboard managers hold the clipboard for a moment after each change.
constexpr std::uint64_t kOpenRetryMs = 200;
constexpr int kOpenRetryStepMs = 10;

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

KeyInput Press(std::uint16_t key) { return {key, false, false}; }
KeyInput Release(std::uint16_t key) { return {key, true, false}; }

// The releases in batch[from..] of keys pressed in batch[..from), or of every key the batch
// presses when what went out is not known (from < 0).
std::vector<KeyInput> ReleasesStillDue(const std::vector<KeyInput>& batch, int from) {
    std::vector<KeyInput> due;
    const std::size_t start = from < 0 ? 0 : static_cast<std::size_t>(from);
    for (std::size_t i = start; i < batch.size(); ++i) {
        const KeyInput& e = batch[i];
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
void SendBatch(WindowSystem& windows, const std::vector<KeyInput>& batch) {
    int sent = 0;
    try {
        sent = windows.SendKeys(batch);
    } catch (...) {
        try {
            std::vector<KeyInput> due = ReleasesStillDue(batch, -1);
            if (!due.empty()) windows.SendKeys(due);
        } catch (...) {
            // The original failure is the one to report.
        }
        throw;
    }
    std::vector<KeyInput> due = ReleasesStillDue(batch, sent);
    // A few attempts: the system may refuse input for a moment (a desktop switch).
    for (int attempt = 0; attempt < 3 && !due.empty(); ++attempt) {
        int n = windows.SendKeys(due);
        due.erase(due.begin(), due.begin() + (n < 0 ? 0 : std::min<std::ptrdiff_t>(n, std::ssize(due))));
    }
}

void PressAndRelease(WindowSystem& windows, std::uint16_t key) { SendBatch(windows, {Press(key), Release(key)}); }

void PasteByKeys(WindowSystem& windows) {
    // Ctrl is released before V, as a user's fingers would leave the keys.
    SendBatch(windows, {Press(kVkControl), Press(kVkV), Release(kVkControl), Release(kVkV)});
}

void PasteIntoDiary(WindowSystem& windows, WindowHandle target) {
    // Each search takes the previous result as its parent with no test in between, so a
    // search after a failed one looks among the top-level windows.
    const std::string diaryName = kDiaryFormName;
    WindowHandle w1 = windows.FindWindowEx(target, "MDIClient", nullptr);
    WindowHandle w2 = windows.FindWindowEx(w1, "ThunderRT6FormDC", &diaryName);
    WindowHandle w3 = windows.FindWindowEx(w2, "ThunderRT6UserControlDC", nullptr);
    WindowHandle w4 = windows.FindWindowEx(w3, "TextEdit", nullptr);
    if (w4) windows.SendPaste(w4);
}

// A global memory block that is freed unless the clipboard took it over.
class ClipboardBlock {
public:
    ClipboardBlock(Clipboard& clipboard, const void* bytes, std::size_t size) : clipboard_(clipboard) {
        block_ = clipboard_.Alloc(kGmemMoveableDdeshare, size);
        if (!block_) throw Error(kCannotFillClipboard);
        void* p = clipboard_.Lock(block_);
        if (!p) {
            clipboard_.Free(block_);
            throw Error(kCannotFillClipboard);
        }
        locked_ = true;
        std::memcpy(p, bytes, size);
    }
    ClipboardBlock(const ClipboardBlock&) = delete;
    ClipboardBlock& operator=(const ClipboardBlock&) = delete;
    ~ClipboardBlock() {
        Unlock();
        if (!owned_) clipboard_.Free(block_);
    }

    void HandTo(unsigned format) {
        if (!clipboard_.SetData(format, block_)) throw Error(kCannotFillClipboard);
        owned_ = true;
    }
    void Unlock() {
        if (locked_) clipboard_.Unlock(block_);
        locked_ = false;
    }

private:
    Clipboard& clipboard_;
    MemoryHandle block_ = 0;
    bool locked_ = false;
    bool owned_ = false;
};

// Closes the clipboard on every path once it was opened.
class ClipboardCloser {
public:
    explicit ClipboardCloser(Clipboard& clipboard) : clipboard_(clipboard) {}
    ClipboardCloser(const ClipboardCloser&) = delete;
    ClipboardCloser& operator=(const ClipboardCloser&) = delete;
    ~ClipboardCloser() { clipboard_.Close(); }

private:
    Clipboard& clipboard_;
};

bool OpenWithRetry(Clipboard& clipboard, WindowHandle owner) {
    if (clipboard.Open(owner)) return true;
    const std::uint64_t start = clipboard.TickCount();
    while (clipboard.TickCount() - start < kOpenRetryMs) {
        clipboard.Pause(kOpenRetryStepMs);
        if (clipboard.Open(owner)) return true;
    }
    return false;
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

void SetBlock(Clipboard& clipboard, unsigned format, const void* bytes, std::size_t size) {
    ClipboardBlock block(clipboard, bytes, size);
    block.HandTo(format);
    block.Unlock();
}

}  // namespace

// ---- target tracking ----

void TCV2Frm::Timer1Timer() {
    WindowHandle h = platform_.windows.GetForegroundWindow();
    if (h == view_.Handle()) return;
    std::string title = platform_.windows.GetWindowText(h, kTitleBufferBytes);
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
}

// ---- sending ----

void TCV2Frm::WriteClipboardText(const std::string& text) {
    Clipboard& clipboard = platform_.clipboard;
    // Registered before opening, to hold the clipboard no longer than needed. They keep
    // personal data out of the system's clipboard history and cloud clipboard.
    const unsigned historyFormat = clipboard.RegisterFormat("CanIncludeInClipboardHistory");
    const unsigned cloudFormat = clipboard.RegisterFormat("CanUploadToCloudClipboard");

    if (!OpenWithRetry(clipboard, view_.Handle())) throw Error(kCannotOpenClipboard);
    ClipboardCloser closer(clipboard);

    {
        ClipboardBlock block(clipboard, text.c_str(), text.size() + 1);
        if (!clipboard.Empty()) throw Error(kCannotFillClipboard);
        block.HandTo(kCfText);
        block.Unlock();
    }
    // Our own UTF-16 text, so that the paste is right whatever the system's code page.
    std::vector<unsigned char> unicode = UnicodeBytes(text);
    SetBlock(clipboard, kCfUnicodeText, unicode.data(), unicode.size());
    const unsigned char zeroDword[4] = {0, 0, 0, 0};
    if (historyFormat) SetBlock(clipboard, historyFormat, zeroDword, sizeof zeroDword);
    if (cloudFormat) SetBlock(clipboard, cloudFormat, zeroDword, sizeof zeroDword);
}

void TCV2Frm::SendText(const std::string& itemText) {
    const std::string text = ConvertForSending(itemText, conversion.mode, conversion.noHyphen);
    // An item that converts to nothing still replaces the clipboard, so that what was there
    // before is not pasted in its place.
    if (!itemText.empty()) WriteClipboardText(text);
    if (!view_.IsDown(ToolButton::Paste)) return;

    WindowSystem& windows = platform_.windows;
    windows.SetForegroundWindow(targetWindow);
    // A negative wait would block the program for good.
    if (waitTime >= 0) windows.Sleep(waitTime);
    if (view_.StatusText() == kSpecialTargetTitle) {
        PasteIntoDiary(windows, targetWindow);
    } else if (conversion.typing) {
        // For fields that refuse pasting; the text is on the clipboard all the same.
        const std::vector<KeyInput> keys = TypedKeys(text);
        if (!keys.empty()) SendBatch(windows, keys);
    } else {
        PasteByKeys(windows);
    }
    PressFollowUpKey();
    windows.SetForegroundWindow(targetWindow);
}

void TCV2Frm::PressFollowUpKey() {
    if (!view_.IsDown(ToolButton::Paste)) return;
    if (tabEnterIndex == kFollowUpTab) PressAndRelease(platform_.windows, kVkTab);
    if (tabEnterIndex == kFollowUpEnter) PressAndRelease(platform_.windows, kVkReturn);
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
    platform_.windows.SetForegroundWindow(targetWindow);
    PressFollowUpKey();
    platform_.windows.SetForegroundWindow(targetWindow);
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
