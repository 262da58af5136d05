#pragma once
// A clipboard in memory: who wrote it last, what it holds by format, registered format
// names, and another program that may hold it for a while. It retries opening with the
// same timing as the real port, on a clock that only the retry pauses advance. Each write
// is logged as "WriteClipboard".
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Retry.h"
#include "platform/fakes/CallLog.h"

namespace cv2::fakes {

inline constexpr std::uint32_t kFakeAccessDenied = 5;  // what OpenClipboard reports while held

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(CallLog& log) : log_(log) {}

    // Another program holds the clipboard until the clock reaches this.
    std::uint64_t heldUntil = 0;
    // Nonzero: the text cannot be set, with this error; the clipboard keeps what it held.
    std::uint32_t textError = 0;
    std::set<unsigned> failingFormats;          // extras of these formats cannot be set
    std::set<std::string> unregisterableNames;  // these names get no format

    std::uint64_t now = 0;
    int openAttempts = 0;
    WindowHandle owner = 0;
    std::map<unsigned, std::vector<unsigned char>> data;  // what the clipboard holds, by format
    std::map<std::string, unsigned> registered;

    ClipboardResult WriteText(WindowHandle writer, const std::string& text,
                              const std::vector<ClipboardExtra>& extras) override {
        log_.Add("WriteClipboard");
        std::vector<unsigned> formats;
        for (const ClipboardExtra& extra : extras) formats.push_back(extra.format ? extra.format : Register(extra));
        bool opened = RetryForMs(
            kClipboardRetryMs, kClipboardRetryStepMs,
            [&] {
                ++openAttempts;
                return now >= heldUntil;
            },
            [&] { return now; }, [&](int ms) { now += static_cast<std::uint64_t>(ms); });
        if (!opened) return {ClipboardStatus::Busy, kFakeAccessDenied};
        if (textError) return {ClipboardStatus::Failed, textError};
        data.clear();
        owner = writer;
        data[kCfText].assign(text.begin(), text.end());
        data[kCfText].push_back(0);
        for (std::size_t i = 0; i < extras.size(); ++i)
            if (formats[i] && !failingFormats.count(formats[i])) data[formats[i]] = extras[i].bytes;
        return {};
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
};

}  // namespace cv2::fakes
