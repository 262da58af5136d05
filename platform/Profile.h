#pragma once
// The system's own private-profile (INI) functions. The program reads and writes its
// settings with its own engine (settings/Ini.h); this port exists to compare the two.
#include <string>

namespace cv2 {

class Profile {
public:
    virtual ~Profile() = default;
    virtual std::string GetString(const std::string& section, const std::string& key, const std::string& def,
                                  const std::wstring& file) = 0;
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                             const std::wstring& file) = 0;
};

}  // namespace cv2
