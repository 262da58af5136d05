#pragma once
// A clipboard in memory: who wrote it last, what it holds by format, the formats only
// promised and rendered when a reader asks, registered format names, and another program
// that may hold it for a while. It retries opening with the same timing as the real port,
// on the clock the fakes share. Each write is logged as "WriteClipboard".
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Retry.h"
#include "platform/fakes/CallLog.h"
#include "platform/fakes/FakeClock.h"

namespace cv2::fakes {

inline constexpr std::uint32_t kFakeAccessDenied = 5;  // what OpenClipboard reports while held

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(CallLog& log, FakeClock* clock = nullptr) : log_(log), clock_(clock) {
        if (!clock_) {
            ownClock_ = std::make_unique<FakeClock>();
            clock_ = ownClock_.get();
        }
    }

    // Another program holds the clipboard until the clock reaches this.
    std::uint64_t heldUntil = 0;
    // Nonzero: the text cannot be set, with this error; the clipboard keeps what it held.
    std::uint32_t textError = 0;
    std::set<unsigned> failingFormats;          // extras of these formats cannot be set
    std::set<std::string> unregisterableNames;  // these names get no format

    int openAttempts = 0;
    WindowHandle owner = 0;
    std::map<unsigned, std::vector<unsigned char>> data;  // what the clipboard holds, by format
    std::set<unsigned> promised;                          // formats the owner renders when asked
    std::map<std::string, unsigned> registered;
    WindowHandle openWindow = 0;  // the reader's window while a read is under way
    // The system asks the owner for a promised format (WM_RENDERFORMAT).
    std::function<void(unsigned)> onRenderRequest;
    // Another program emptied the clipboard (WM_DESTROYCLIPBOARD to the owner).
    std::function<void()> onReleased;

    ClipboardResult WriteText(WindowHandle writer, const std::string& text,
                              const std::vector<ClipboardExtra>& extras) override {
        log_.Add("WriteClipboard");
        std::vector<unsigned> formats;
        for (const ClipboardExtra& extra : extras) formats.push_back(extra.format ? extra.format : Register(extra));
        bool opened = RetryForMs(
            kClipboardRetryMs, kClipboardRetryStepMs,
            [&] {
                ++openAttempts;
                return clock_->now >= heldUntil;
            },
            [&] { return clock_->now; }, [&](int ms) { clock_->Wait(ms); });
        if (!opened) return {ClipboardStatus::Busy, kFakeAccessDenied};
        if (textError) return {ClipboardStatus::Failed, textError};
        data.clear();
        promised.clear();
        owner = writer;
        data[kCfText].assign(text.begin(), text.end());
        data[kCfText].push_back(0);
        for (std::size_t i = 0; i < extras.size(); ++i) {
            if (!formats[i] || failingFormats.count(formats[i])) continue;
            if (extras[i].delayed)
                promised.insert(formats[i]);
            else
                data[formats[i]] = extras[i].bytes;
        }
        return {};
    }

    bool Render(unsigned format, const std::vector<unsigned char>& bytes) override {
        if (!openWindow || !promised.count(format)) return false;  // only inside a read
        promised.erase(format);
        data[format] = bytes;
        return true;
    }

    void RenderAll(WindowHandle writer, const std::vector<ClipboardExtra>& formats) override {
        if (writer != owner) return;
        for (const ClipboardExtra& extra : formats)
            if (promised.erase(extra.format)) data[extra.format] = extra.bytes;
    }

    WindowHandle OpenWindow() override { return openWindow; }

    // A program reads a format through its window: a promised one is asked of the owner first.
    std::optional<std::vector<unsigned char>> Read(WindowHandle reader, unsigned format) {
        openWindow = reader;
        if (promised.count(format) && onRenderRequest) onRenderRequest(format);
        openWindow = 0;
        auto it = data.find(format);
        if (it == data.end()) return std::nullopt;
        return it->second;
    }

    // Another program puts its own text on the clipboard.
    void ReplaceBy(WindowHandle writer, const std::string& text) {
        data.clear();
        promised.clear();
        owner = writer;
        data[kCfText].assign(text.begin(), text.end());
        data[kCfText].push_back(0);
        if (onReleased) onReleased();
    }

    // What the clipboard holds as text (CF_TEXT up to its zero byte).
    std::string Text() const {
        auto it = data.find(kCfText);
        if (it == data.end()) return {};
        std::string s(it->second.begin(), it->second.end());
        return s.substr(0, s.find('\0'));
    }

private:
    unsigned Register(const ClipboardExtra& extra) {
        // The system registers nothing under an empty name.
        if (extra.registeredName.empty() || unregisterableNames.count(extra.registeredName)) return 0;
        auto [it, added] = registered.emplace(extra.registeredName, 0xC000 + static_cast<unsigned>(registered.size()));
        return it->second;
    }

    CallLog& log_;
    FakeClock* clock_;
    std::unique_ptr<FakeClock> ownClock_;
};

}  // namespace cv2::fakes
