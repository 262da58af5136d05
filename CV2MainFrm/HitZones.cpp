#include "CV2MainFrm/HitZones.h"

namespace cv2 {

unsigned HitZonesFromTreeFlags(unsigned flags) {
    unsigned zones = 0;
    if (flags & kTvhtAbove) zones |= kHitAbove;
    if (flags & kTvhtBelow) zones |= kHitBelow;
    if (flags & kTvhtNowhere) zones |= kHitNowhere;
    constexpr unsigned kOnItem = kTvhtOnItemIcon | kTvhtOnItemLabel | kTvhtOnItemStateIcon;
    if (flags & kOnItem) zones |= kHitOnItem;
    if ((flags & kOnItem) != kOnItem) {
        if (flags & kTvhtOnItemIcon) zones |= kHitOnIcon;
        if (flags & kTvhtOnItemLabel) zones |= kHitOnLabel;
        if (flags & kTvhtOnItemStateIcon) zones |= kHitOnStateIcon;
    }
    if (flags & kTvhtOnItemButton) zones |= kHitOnButton;
    if (flags & kTvhtOnItemIndent) zones |= kHitOnIndent;
    if (flags & kTvhtOnItemRight) zones |= kHitOnRight;
    if (flags & kTvhtToLeft) zones |= kHitToLeft;
    if (flags & kTvhtToRight) zones |= kHitToRight;
    return zones;
}

bool ZonesInRow(unsigned zones) {
    constexpr unsigned kOutside = kHitAbove | kHitBelow | kHitNowhere | kHitToLeft | kHitToRight;
    constexpr unsigned kRow =
        kHitOnItem | kHitOnButton | kHitOnIcon | kHitOnIndent | kHitOnLabel | kHitOnRight | kHitOnStateIcon;
    return (zones & kOutside) == 0 && (zones & kRow) != 0;
}

}  // namespace cv2
