#pragma once
#include <string>

#include "base/Types.h"

namespace cv2 {

// The texts of the wizard's 29 edits and the birthday, as the dialog returns them.
struct WizardInput {
    std::string Yubin01, Yubin02, Todoufuken, Sikuchoson, Jyuusyo01, Jyuusyo02;
    std::string Kanji01, Kanji02, Hiragana01, Hiragana02, Katakana01, Katakana02, Romaji01, Romaji02;
    Date Birthday;
    std::string Old;
    std::string Syokugyou, Tel01, Tel02, Tel03, Fax01, Fax02, Fax03, Mail, Url;
    std::string Tuika01, Tuika02, Tuika03, Tuika04, Tuika05;
};

}  // namespace cv2
