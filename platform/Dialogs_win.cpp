// Placeholder: filled in by the work on this area.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

class Win32Dialogs : public Dialogs {
public:
    int MessageBox(WindowHandle, const std::string&, const std::string&, unsigned) override { return kIdCancel; }
    bool FileDialog(WindowHandle, const FileDialogSpec&, std::wstring&) override { return false; }
};

}  // namespace

std::unique_ptr<Dialogs> MakeWin32Dialogs() { return std::make_unique<Win32Dialogs>(); }

}  // namespace cv2
