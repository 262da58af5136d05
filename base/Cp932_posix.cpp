#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "base/Cp932.h"

namespace cv2 {
namespace {

// Converts with iconv; a byte sequence it cannot convert becomes "?" and is skipped.
template <typename Out>
Out Convert(const char* to, const char* from, const char* in, std::size_t inBytes) {
    Out out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    std::vector<char> buffer(inBytes * 4 + 16);
    char* src = const_cast<char*>(in);
    while (inBytes > 0) {
        char* dst = buffer.data();
        std::size_t room = buffer.size();
        std::size_t r = iconv(cd, &src, &inBytes, &dst, &room);
        out.append(reinterpret_cast<const typename Out::value_type*>(buffer.data()),
                   static_cast<std::size_t>(dst - buffer.data()) / sizeof(typename Out::value_type));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.push_back(static_cast<typename Out::value_type>('?'));
            std::size_t unit = std::strcmp(from, "WCHAR_T") == 0 ? sizeof(wchar_t) : 1;
            if (inBytes < unit) break;
            src += unit;
            inBytes -= unit;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::wstring FromCp932(std::string_view text) {
    return Convert<std::wstring>("WCHAR_T", "CP932", text.data(), text.size());
}

std::string ToCp932(std::wstring_view text) {
    return Convert<std::string>("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                                text.size() * sizeof(wchar_t));
}

}  // namespace cv2
