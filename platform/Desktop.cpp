#include "platform/Desktop.h"

#include "base/Text.h"

namespace cv2 {

namespace {

// Shell windows that have titles and come to the front, yet take no pasted text: the
// desktop, the task bar, the Start menu and Search (core windows), the task switcher, the
// notification area's overflow.
constexpr const char* kShellClasses[] = {
    "Progman",
    "WorkerW",
    "Shell_TrayWnd",
    "Shell_SecondaryTrayWnd",
    "Windows.UI.Core.CoreWindow",
    "MultitaskingViewFrame",
    "XamlExplorerHostIslandWindow",
    "ForegroundStaging",
    "NotifyIconOverflowWindow",
    "TopLevelWindowForOverflowXamlIsland",
};

}  // namespace

bool CanBeTarget(const WindowFacts& facts) {
    if (!facts.exists || facts.ours || !facts.visible || facts.cloaked || facts.toolWindow) return false;
    for (const char* shell : kShellClasses)
        if (facts.className == shell) return false;
    return true;
}

std::string TitleThatFits(std::string_view title, int bufferBytes) {
    if (bufferBytes <= 0) return {};
    const std::size_t maxBytes = static_cast<std::size_t>(bufferBytes) - 1;
    std::size_t n = 0;
    while (n < title.size()) {
        std::size_t len = IsLeadByte(static_cast<unsigned char>(title[n])) && n + 1 < title.size() ? 2 : 1;
        if (n + len > maxBytes) break;
        n += len;
    }
    return std::string(title.substr(0, n));
}

}  // namespace cv2
