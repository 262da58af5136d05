#pragma once
// The system clipboard, as the program uses it: replace its content with a text and a few
// extra formats in one go.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Types.h"

namespace cv2 {

inline constexpr unsigned kCfText = 1;
inline constexpr unsigned kCfLocale = 16;
inline constexpr unsigned kCfUnicodeText = 13;

// Clipboard managers hold the clipboard for a moment after each change, so opening it is
// tried again every kClipboardRetryStepMs for kClipboardRetryMs after the first refusal.
inline constexpr std::uint64_t kClipboardRetryMs = 200;
inline constexpr int kClipboardRetryStepMs = 10;

// One more format beside the text: a standard one by number, or, with `format` 0, one
// registered under `registeredName`.
struct ClipboardExtra {
    unsigned format = 0;
    std::string registeredName;
    std::vector<unsigned char> bytes;
};

enum class ClipboardStatus {
    Ok,
    Busy,    // another program held the clipboard all through the retries; nothing changed
    Failed,  // the text could not be put on it; what it held before may be gone
};

struct ClipboardResult {
    ClipboardStatus status = ClipboardStatus::Ok;
    std::uint32_t error = 0;  // the system's error code, read right after the call that failed
};

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Empties the clipboard on behalf of `owner` and puts `text` on it as code page 932 text
    // with its terminating zero, then each extra in order. The extras are best effort: one
    // that cannot be set (a name that cannot be registered, no memory) is left out and the
    // write is still Ok. The clipboard is closed again on every path.
    virtual ClipboardResult WriteText(WindowHandle owner, const std::string& text,
                                      const std::vector<ClipboardExtra>& extras) = 0;
};

}  // namespace cv2
