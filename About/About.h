#pragma once
// The about box's texts and its two links, free of Win32; AboutBox_win.cpp draws the box
// and forwards the clicks on the links here.
#include <string>
#include <string_view>

#include "cv2_version.h"
#include "platform/Shell.h"

namespace cv2 {

inline constexpr const char* kAboutCaption = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kAboutProductName = "Corvell2！";
inline constexpr const char* kAboutVersion = "Version " CV2_VERSION_TEXT;
inline constexpr const char* kAboutCopyright = "Copyright (C) 2026 Corvell2 developers";
// The project has no domain of its own yet: the reserved example domain keeps these
// links harmless until it has one.
inline constexpr const char* kAboutMail = "corvell2@example.org";
inline constexpr const char* kAboutHomePage = "https://example.org/corvell2/";
// Stands where the designed box had its placeholder caption "Comments".
inline constexpr const char* kAboutComments = "懸賞の応募フォームに個人データを貼り付けます";

// TAboutBox: the texts its labels carry and what a click on a link does.
class TAboutBox {
public:
    TAboutBox(Shell& shell, WindowHandle box) : shell_(shell), box_(box) {}

    std::string mailLabel = kAboutMail;
    std::string hpLabel = kAboutHomePage;
    std::string comments = kAboutComments;

    // Each returns true when the shell took the link: the box then closes. A link the
    // shell refused leaves the box open without a message.
    bool MailLabelClick();
    bool HpLabelClick();

private:
    bool OpenLink(const std::string& link);

    Shell& shell_;
    WindowHandle box_;
};

// The help file: beside the executable, under its own base name, with ".hlp".
std::wstring HelpFileOf(std::wstring_view executablePath);
// The user's guide, an HTML page shipped beside the executable under its base name. It is
// what Help opens where there is no help file (current Windows has no WinHelp viewer).
std::wstring GuideFileOf(std::wstring_view executablePath);

inline constexpr const char* kHelpMissing = "ヘルプファイルが見つかりません";
inline constexpr const char* kHelpNotOpened = "ヘルプファイルを開けません";

}  // namespace cv2
