// Any bytes as the stored list of expanded items.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/CommaText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto items = cv2::SplitCommaText(text);
    std::size_t total = 0;
    for (const auto& item : items) total += item.size();
    // Every element is made of bytes of the text, and each needs at least one byte of its own.
    if (total > size || items.size() > size) std::abort();
    return 0;
}
