// Sending an item's children one after another: the form's group of fields from one gesture.
#include <string>
#include <vector>

#include "CV2MainFrm/CV2MainFrm.h"

namespace cv2 {

void TCV2Frm::SendGroup(const Item& parent) {
    // The texts are taken first: a send waits for the target, and the tree is not to be
    // trusted across that wait.
    std::vector<std::string> texts;
    for (const Item* child = parent.FirstChild(); child; child = child->NextSibling()) texts.push_back(child->Text());
    for (const std::string& text : texts) SendText(text);
}

void TCV2Frm::GroupSendMenuClick() {
    const Item* selection = view_.Selection();
    if (selection && selection->HasChildren()) SendGroup(*selection);
}

}  // namespace cv2
