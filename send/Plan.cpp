#include "send/Plan.h"

#include "send/KeyBatches.h"

namespace cv2 {

std::string Step::Describe() const {
    const std::string w = std::to_string(window);
    switch (kind) {
        case StepKind::AwaitTaken:
            return "await taken";
        case StepKind::Offer:
            return "offer '" + text + "'";
        case StepKind::Activate:
            return "activate " + w;
        case StepKind::Pause:
            return "pause " + std::to_string(ms);
        case StepKind::AwaitKeysUp: {
            std::string names;
            for (const KeyEvent& k : keys) {
                if (!names.empty()) names += '+';
                names += KeyName(k.key);
            }
            return "await up " + names + " " + std::to_string(ms);
        }
        case StepKind::ReleaseHeld:
            return withCtrl ? "release held, Ctrl too" : "release held";
        case StepKind::CloseIme:
            return "close IME " + w;
        case StepKind::Keys:
            return "keys " + DescribeKeys(keys) + (paste ? " (paste)" : "");
        case StepKind::DiaryPaste:
            return "diary paste " + w;
        case StepKind::ReopenIme:
            return "reopen IME";
        case StepKind::Checkpoint:
            return "checkpoint " + w;
        case StepKind::Progress:
            return "progress " + text;
        case StepKind::Refocus:
            return "refocus " + w;
    }
    return "?";
}

std::vector<std::string> Plan::Describe() const {
    std::vector<std::string> lines;
    lines.reserve(steps.size());
    for (const Step& s : steps) lines.push_back(s.Describe());
    return lines;
}

}  // namespace cv2
