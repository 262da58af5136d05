#include <windows.h>

#include "base/Cp932.h"
#include "platform/Win32Ports.h"
#include "base/Text.h"

namespace cv2 {
namespace {

// The profile functions through their W forms, with what the A forms would give: names and
// values are code page 932 text, and a read fits a buffer of 2048 bytes (2047 and the NUL), a
// double-byte character that does not fit whole being left out.
class Win32Profile : public Profile {
public:
    std::string GetString(const std::string& section, const std::string& key, const std::string& def,
                          const std::wstring& file) override {
        constexpr DWORD kBuffer = 2048;
        wchar_t buffer[kBuffer];
        DWORD n = GetPrivateProfileStringW(FromCp932(section).c_str(), FromCp932(key).c_str(), FromCp932(def).c_str(),
                                           buffer, kBuffer, file.c_str());
        std::string text = ToCp932(std::wstring_view(buffer, n));
        std::size_t bytes = 0;
        while (bytes < text.size()) {
            std::size_t step = IsLeadByte(static_cast<unsigned char>(text[bytes])) && bytes + 1 < text.size() ? 2 : 1;
            if (bytes + step > kBuffer - 1) break;
            bytes += step;
        }
        text.resize(bytes);
        return text;
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::wstring& file) override {
        return WritePrivateProfileStringW(FromCp932(section).c_str(), FromCp932(key).c_str(), FromCp932(value).c_str(),
                                          file.c_str()) != FALSE;
    }
};

}  // namespace

std::unique_ptr<Profile> MakeWin32Profile() { return std::make_unique<Win32Profile>(); }

}  // namespace cv2
