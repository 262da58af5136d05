// The item menu's group send: the selected item's children one after another, into one form.
#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {

void TCV2Frm::GroupSendMenuClick() {
    const Item* selection = view_.Selection();
    if (selection && selection->HasChildren()) SendGroup(*selection);
}

}  // namespace cv2
