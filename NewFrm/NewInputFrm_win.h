#pragma once
// The new-user wizard (TNewInputFrm): four pages of fields without tabs, moved through
// with Return and Next; Enter in a field moves on to the next one, so the whole wizard
// can be filled from the keyboard.
#include <windows.h>

#include "NewFrm/WizardInput.h"
#include "platform/Ime.h"
#include "platform/Locale.h"

namespace cv2 {

// Control identifiers, in tab order within each page.
enum NewInputFrmId : int {
    kIdYubin01 = 1001,
    kIdYubin02,
    kIdTodoufuken,
    kIdSikuchoson,
    kIdJyuusyo01,
    kIdJyuusyo02,
    kIdKanji01,
    kIdKanji02,
    kIdHiragana01,
    kIdHiragana02,
    kIdKatakana01,
    kIdKatakana02,
    kIdRomaji01,
    kIdRomaji02,
    kIdBirthday,
    kIdOld,
    kIdSyokugyou,
    kIdTel01,
    kIdTel02,
    kIdTel03,
    kIdFax01,
    kIdFax02,
    kIdFax03,
    kIdMail,
    kIdUrl,
    kIdTuika01,
    kIdTuika02,
    kIdTuika03,
    kIdTuika04,
    kIdTuika05,
    kIdReturnBtn = 1101,
    kIdNextBtn,
    kIdCancelBtn,
    kIdOkBtn,
};

inline constexpr wchar_t kNewInputFrmCaption[] = L"新規作成ウィザード";

// The wizard, modal; true for OK, with every field in `input`. It reads today's date from
// `locale` (the age from the birthday) and switches the input method through `ime`.
bool ShowNewInputFrm(HWND owner, WizardInput& input, Locale& locale, Ime& ime);

}  // namespace cv2
