// The wait-time command.
#include "CV2MainFrm/CV2MainFrm.h"
#include "Option/OptionFrm.h"
#include "base/Error.h"
#include "base/Text.h"

namespace cv2 {

void TCV2Frm::Wait1Click() {
    std::string text = IntToStr(waitTime);
    if (!view_.ShowWaitDialog(text)) return;
    int value = 0;
    // The old wait time stays when the field does not hold an integer.
    if (!StrToInt(text, value)) throw Error("'" + text + "' は整数ではありません");
    waitTime = value;
}

}  // namespace cv2
