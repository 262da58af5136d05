#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "base/Cp932.h"
#include "platform/FileFilter.h"
#include "platform/Win32Ports.h"

namespace cv2 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// Room for long paths ("\\?\" and beyond MAX_PATH), which the Explorer-style dialogs return.
constexpr std::size_t kPathBufferChars = 32768;

// OFN_NOCHANGEDIR: the current folder stays where the program started, whatever folder the
// user browses to.
constexpr DWORD kOpenFlags =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
constexpr DWORD kSaveFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;

class Win32Dialogs : public Dialogs {
public:
    int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) override {
        return ::MessageBoxW(ToHwnd(owner), FromCp932(text).c_str(), FromCp932(caption).c_str(), style);
    }

    bool FileDialog(WindowHandle owner, const FileDialogSpec& spec, std::wstring& fileName) override {
        std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
        // An initial name too long for the buffer is left out rather than cut.
        if (fileName.size() < buffer.size()) fileName.copy(buffer.data(), fileName.size());
        // The filter holds NULs; the conversion keeps them since it goes by length.
        std::wstring filter = FromCp932(FileDialogFilter(spec.filter));
        std::wstring title = FromCp932(spec.title);
        std::wstring defaultExt = FromCp932(spec.defaultExt);

        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = ToHwnd(owner);
        ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(buffer.size());
        ofn.lpstrInitialDir = spec.initialDir.empty() ? nullptr : spec.initialDir.c_str();
        ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
        ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
        ofn.Flags = spec.save ? kSaveFlags : kOpenFlags;

        BOOL ok = spec.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
        if (!ok) return false;
        fileName.assign(buffer.data());
        return true;
    }
};

}  // namespace

std::unique_ptr<Dialogs> MakeWin32Dialogs() { return std::make_unique<Win32Dialogs>(); }

}  // namespace cv2
