#include "CV2MainFrm/TypedText.h"

#include <string>

#include "base/Cp932.h"

namespace cv2 {

std::vector<KeyEvent> TypedKeys(std::string_view text) {
    const std::wstring wide = FromCp932(text);
    std::vector<KeyEvent> keys;
    keys.reserve(wide.size() * 2);
    for (wchar_t c : wide) {
        // Code page 932 lies inside the BMP: every character is one UTF-16 unit.
        const auto unit = static_cast<std::uint16_t>(static_cast<unsigned>(c) & 0xFFFFu);
        keys.push_back({unit, false, true});
        keys.push_back({unit, true, true});
    }
    return keys;
}

}  // namespace cv2
