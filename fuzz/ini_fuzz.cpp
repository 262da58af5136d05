// Any bytes as a settings file, then reads and writes driven by more bytes. Besides not
// crashing, the engine must keep to two rules: an unchanged file gives back its bytes, and what
// it holds in memory reads the same as its written text read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/Ini.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::string file = in.ConsumeRandomLengthString(4096);
    cv2::IniFile ini = cv2::IniFile::Parse(file);
    Check(ini.Bytes() == file);

    std::vector<std::pair<std::string, std::string>> asked;
    while (in.remaining_bytes() > 0 && asked.size() < 64) {
        std::string section = in.ConsumeRandomLengthString(16);
        std::string key = in.ConsumeRandomLengthString(16);
        asked.emplace_back(section, key);
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0: {
                std::string def = in.ConsumeRandomLengthString(16);
                Check(ini.ReadString(section, key, def).size() <= cv2::IniFile::kMaxRead);
                break;
            }
            case 1:
                ini.ReadInteger(section, key, in.ConsumeIntegral<int>());
                break;
            case 2:
                ini.WriteString(section, key, in.ConsumeRandomLengthString(64));
                break;
            default: {
                int n = in.ConsumeIntegral<int>();
                ini.WriteInteger(section, key, n);
                // Plain names always read back what was written.
                bool plain = !section.empty() && !key.empty();
                for (char c : section + key) plain = plain && ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'));
                if (plain) Check(ini.ReadInteger(section, key, n ^ 1) == n);
                break;
            }
        }
    }
    std::string bytes = ini.Bytes();
    cv2::IniFile again = cv2::IniFile::Parse(bytes);
    Check(again.Bytes() == bytes);
    for (const auto& [section, key] : asked) {
        Check(again.ReadString(section, key, "\x01") == ini.ReadString(section, key, "\x01"));
    }
    return 0;
}
