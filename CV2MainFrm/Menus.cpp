#include "CV2MainFrm/Menus.h"

namespace cv2 {

NodeMenuVisibility NodeMenuEntries(bool treeNotEmpty, bool someItemHasChildren, bool pasteMode) {
    NodeMenuVisibility v{};
    auto set = [&v](NodeMenu entry, bool shown) { v[static_cast<int>(entry)] = shown; };
    set(NodeMenu::TabEnterMenu, pasteMode);
    set(NodeMenu::ClickCheck, true);
    set(NodeMenu::ConvertMenu, true);
    set(NodeMenu::AddNodeMenu, true);
    set(NodeMenu::AddChildMenu, treeNotEmpty);
    set(NodeMenu::FullExpandMenu, someItemHasChildren);
    set(NodeMenu::FullCollapseMenu, someItemHasChildren);
    set(NodeMenu::EditTextMenu, treeNotEmpty);
    set(NodeMenu::N1, true);
    set(NodeMenu::DelNodeMenu, treeNotEmpty);
    set(NodeMenu::AllDelNodeMenu, treeNotEmpty);
    set(NodeMenu::Wait1, true);
    set(NodeMenu::Help1, true);
    set(NodeMenu::About, true);
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

}  // namespace cv2
