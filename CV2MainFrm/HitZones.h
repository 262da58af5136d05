#pragma once
// Hit zones of the tree control from the flags of its own hit test (TVM_HITTEST).
#include "CV2MainFrm/MainView.h"

namespace cv2 {

// The tree control's hit-test flags (TVHT_*), as the system numbers them.
inline constexpr unsigned kTvhtNowhere = 0x0001;
inline constexpr unsigned kTvhtOnItemIcon = 0x0002;
inline constexpr unsigned kTvhtOnItemLabel = 0x0004;
inline constexpr unsigned kTvhtOnItemIndent = 0x0008;
inline constexpr unsigned kTvhtOnItemButton = 0x0010;
inline constexpr unsigned kTvhtOnItemRight = 0x0020;
inline constexpr unsigned kTvhtOnItemStateIcon = 0x0040;
inline constexpr unsigned kTvhtAbove = 0x0100;
inline constexpr unsigned kTvhtBelow = 0x0200;
inline constexpr unsigned kTvhtToRight = 0x0400;
inline constexpr unsigned kTvhtToLeft = 0x0800;

// The set of hit zones for a point with these flags. "On item" stands for any of icon,
// label and state icon; the three single zones are reported beside it unless all three are.
unsigned HitZonesFromTreeFlags(unsigned flags);

// Whether a point with these zones lies in an item's row inside the client area, so that
// the item found there counts as the item at the point.
bool ZonesInRow(unsigned zones);

}  // namespace cv2
