#pragma once
// The system clipboard, as the program uses it: replace its content with a text and a few
// extra formats in one go, some of them only promised and handed over when a reader asks.
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
// registered under `registeredName`. A delayed one (standard formats only) is promised
// without its bytes: the system asks the owner for them when a program reads that format,
// and the owner answers through Render.
struct ClipboardExtra {
    unsigned format = 0;
    std::string registeredName;
    std::vector<unsigned char> bytes;
    bool delayed = false;
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

    // Answers the system's request for a promised format (WM_RENDERFORMAT), while the reader
    // holds the clipboard open: false when the bytes could not be handed over.
    virtual bool Render(unsigned format, const std::vector<unsigned char>& bytes) = 0;
    // The owner is going away (WM_RENDERALLFORMATS): when `owner` still owns the clipboard,
    // hands over every promised format, so that the text outlives the program.
    virtual void RenderAll(WindowHandle owner, const std::vector<ClipboardExtra>& promised) = 0;
    // The window of the program that has the clipboard open at this moment, or 0: during a
    // render request, the reader's.
    virtual WindowHandle OpenWindow() = 0;
};

}  // namespace cv2
