#pragma once
// The wait-time dialog's rules, shared by its Win32 window (OptionFrm_win.cpp) and the
// main window's Wait1Click.
#include <string>
#include <string_view>

namespace cv2 {

// NumEdit1 takes at most this many typed characters; longer values can still be shown.
inline constexpr int kNumEdit1TypingLimit = 3;

// The key filter of NumEdit1 (WM_CHAR, a UTF-16 unit): backspace and the digits pass, the
// full-width digits "０" to "９" (what an input method commits) come back as the plain
// digits, every other character comes back as 0 and is swallowed.
unsigned NumEdit1KeyPress(unsigned key);

// The text NumEdit1 gets when it loses the focus: "0" for an empty field.
std::string NumEdit1Exit(const std::string& text);

// An integer as the program's settings write them: leading spaces, an optional sign, then
// decimal digits or hexadecimal after "$" or "0x"; nothing may follow. False when the
// text is not such an integer or does not fit 32 bits.
bool StrToInt(std::string_view text, int& value);

}  // namespace cv2
