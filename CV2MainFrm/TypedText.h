#pragma once
// Typing a text into the target instead of pasting it, for fields that refuse pasting:
// each character goes out as a Unicode keystroke, whatever the keyboard layout.
#include <string_view>
#include <vector>

#include "platform/KeyInput.h"

namespace cv2 {

// The keystrokes that type the code page 932 text: for each UTF-16 unit a press and a
// release, in order. Empty for an empty text.
std::vector<KeyEvent> TypedKeys(std::string_view text);

}  // namespace cv2
