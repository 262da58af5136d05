#include "CV2MainFrm/Menus.h"

namespace cv2 {

namespace {

bool IsShown(NodeMenuShown rule, const NodeMenuState& state) {
    switch (rule) {
        case NodeMenuShown::Always:
            return true;
        case NodeMenuShown::InPasteMode:
            return state.pasteMode;
        case NodeMenuShown::WithItems:
            return state.treeNotEmpty;
        case NodeMenuShown::WithChildren:
            return state.someItemHasChildren;
        case NodeMenuShown::ForParent:
            return state.forParent;
        case NodeMenuShown::WithRecentFiles:
            return state.hasRecentFiles;
        case NodeMenuShown::WithUndo:
            return state.canUndo;
        case NodeMenuShown::WithRedo:
            return state.canRedo;
        case NodeMenuShown::AsSeparator:
            break;
    }
    return false;
}

}  // namespace

NodeMenuVisibility NodeMenuEntries(const NodeMenuState& state) {
    NodeMenuVisibility v{};
    for (int i = 0; i < kNodeMenuCount; ++i) v[i] = IsShown(kNodePopup[i].shown, state);
    return v;
}

NodeMenuVisibility NormalizeSeparators(NodeMenuVisibility visible) {
    int pendingSeparator = -1;  // last separator seen since the previous visible entry
    bool seenEntry = false;
    for (int i = 0; i < kNodeMenuCount; ++i) {
        if (!IsSeparator(static_cast<NodeMenu>(i))) {
            if (!visible[i]) continue;
            if (pendingSeparator >= 0 && seenEntry) visible[pendingSeparator] = true;
            pendingSeparator = -1;
            seenEntry = true;
            continue;
        }
        visible[i] = false;
        pendingSeparator = i;
    }
    return visible;
}

bool RunNodeMenuCommand(TCV2Frm& frm, int id) {
    if (id == kCmdNone) return false;
    for (const NodeMenuEntry& e : kNodePopup) {
        if (e.id != id) continue;
        if (!e.handler) return false;
        (frm.*e.handler)();
        return true;
    }
    return false;
}

}  // namespace cv2
