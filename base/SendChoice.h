#pragma once
// How one item is sent, when the user chose for that item alone; an item keeps its choice in
// the tree and in the settings file beside its icon. The numbers are what the settings file
// stores, so they never change.
#include <cstdint>

namespace cv2 {

enum class SendWay : std::uint8_t {
    Default = 0,  // the window's setting: paste, or type when typing mode is on
    Paste = 1,
    Type = 2,   // typed as characters (a select picks its option by type-ahead)
    Space = 3,  // one Space and nothing on the clipboard: the text is only a label (a check box)
};

enum class FollowUpChoice : std::uint8_t {
    Default = 0,  // the window's follow-up key
    None = 1,
    Tab = 2,
    Enter = 3,
};

inline constexpr int kSendWayCount = 4;
inline constexpr int kFollowUpChoiceCount = 4;

}  // namespace cv2
