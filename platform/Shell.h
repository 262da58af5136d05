#pragma once
#include <string>

#include "base/Types.h"

namespace cv2 {

// Links and the help viewer.
class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecute with the verb "OPEN", no parameters or directory, SW_SHOW; the
    // result as the system gives it (above 32 is success). Texts are code page 932.
    virtual long long Open(WindowHandle owner, const std::string& file) = 0;
    // The same for a document given by its path, with the verb "open": the shell starts
    // whatever program the document's type is registered with.
    virtual long long OpenDocument(WindowHandle owner, const std::wstring& path) = 0;
    // WinHelp(owner, helpFile, command, data); the result is ignored by the program.
    virtual bool WinHelp(WindowHandle owner, const std::wstring& helpFile, unsigned command,
                         unsigned long long data) = 0;
};

inline constexpr unsigned kHelpFinder = 11;

}  // namespace cv2
