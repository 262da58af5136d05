// What a hotkey sends into the window in front.
#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {

void TCV2Frm::SendForHotKey(HotKeyAction, const Item*, const HotKey&) {
    // Nothing is sent yet: the hotkeys only move the selection.
}

}  // namespace cv2
