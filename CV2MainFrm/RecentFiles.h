#pragma once
// The user files opened or saved last, newest first, as the settings file beside the
// executable keeps them ([Recent] File1 to File8, code page 932), and their entries in the
// item menu's submenu.
#include <string>
#include <vector>

#include "settings/Ini.h"

namespace cv2 {

inline constexpr int kRecentFileCount = 8;

class RecentFiles {
public:
    const std::vector<std::wstring>& Paths() const { return paths_; }
    // Puts the file first; the same file further down (ASCII letters in any case) goes, and
    // so does the one beyond the eighth. A path the settings file cannot hold (a character
    // outside code page 932) is left out.
    void Add(const std::wstring& path);
    void Remove(const std::wstring& path);
    // Empty and repeated entries of a hand-edited file are skipped.
    void Read(const IniFile& ini);
    // All eight keys, the unused ones empty, so that no removed file comes back.
    void Write(IniFile& ini) const;

private:
    std::vector<std::wstring> paths_;
};

struct RecentMenuEntry {
    std::wstring caption;  // "&1 name (folder)", a "&" of the path doubled
    bool checked = false;  // the current user file
};

std::vector<RecentMenuEntry> RecentMenuEntries(const RecentFiles& recent, const std::wstring& current);

}  // namespace cv2
