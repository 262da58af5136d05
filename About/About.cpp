#include "About/About.h"

#include "base/Path.h"

namespace cv2 {

bool TAboutBox::MailLabelClick() { return OpenLink("mailto:" + mailLabel); }

bool TAboutBox::HpLabelClick() { return OpenLink(hpLabel); }

bool TAboutBox::OpenLink(const std::string& link) {
    // ShellExecute reports success with a value above 32; 0..32 are its error codes.
    return shell_.Open(box_, link) > 32;
}

std::wstring HelpFileOf(std::wstring_view executablePath) { return ChangeFileExt(executablePath, L".hlp"); }

std::wstring GuideFileOf(std::wstring_view executablePath) { return ChangeFileExt(executablePath, L".html"); }

}  // namespace cv2
