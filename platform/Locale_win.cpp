// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Locale : public Locale {
public:
    Date Today() override { return {}; }
    std::string EraName(const Date&) override { return {}; }
    std::string EraYear(const Date&) override { return {}; }
};

}  // namespace

std::unique_ptr<Locale> MakeWin32Locale() { return std::make_unique<Win32Locale>(); }

}  // namespace cv2
