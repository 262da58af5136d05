#pragma once
#include "base/Types.h"

namespace cv2 {

enum class ImeMode {
    Off,       // disabled while the field has the focus
    Hiragana,  // open, full-width hiragana
    Katakana,  // open, full-width katakana
    AsIs,      // left alone
};

// Input-method switching for an edit field.
class Ime {
public:
    virtual ~Ime() = default;
    // The field got the focus: apply its mode.
    virtual void Enter(WindowHandle field, ImeMode mode) = 0;
    // The field lost the focus: undo what Enter did for the mode (enable again after Off).
    virtual void Leave(WindowHandle field, ImeMode mode) = 0;
};

// Conversion-mode bits (IME_CMODE_*).
inline constexpr unsigned kImeCmodeNative = 0x0001;
inline constexpr unsigned kImeCmodeKatakana = 0x0002;
inline constexpr unsigned kImeCmodeFullShape = 0x0008;

// The conversion mode that a field of `mode` sets, from the current one.
constexpr unsigned ImeConversionFor(ImeMode mode, unsigned current) {
    switch (mode) {
        case ImeMode::Hiragana:
            return (current | kImeCmodeNative | kImeCmodeFullShape) & ~kImeCmodeKatakana;
        case ImeMode::Katakana:
            return current | kImeCmodeNative | kImeCmodeKatakana | kImeCmodeFullShape;
        default:
            return current;
    }
}

}  // namespace cv2
