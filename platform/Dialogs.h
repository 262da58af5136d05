#pragma once
// Message boxes and the open and save file dialogs.
#include <string>

#include "base/Types.h"

namespace cv2 {

// Message-box styles and answers as the system numbers them.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNoCancel = 0x03;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct FileDialogSpec {
    std::string title;       // code page 932
    std::string filter;      // "description|pattern" pairs, code page 932
    std::string defaultExt;  // without the dot
    std::wstring initialDir;
    bool save = false;  // save dialog (overwrite prompt) or open dialog (file must exist)
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal message box; returns the button pressed. Texts are code page 932.
    virtual int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) = 0;
    // Shows the dialog with `fileName` as the initial name; on OK puts the chosen path
    // there and returns true.
    virtual bool FileDialog(WindowHandle owner, const FileDialogSpec& spec, std::wstring& fileName) = 0;
};

}  // namespace cv2
