#include "CV2MainFrm/RecentFiles.h"

#include <algorithm>

#include "base/Cp932.h"
#include "base/Path.h"
#include "base/Text.h"

namespace cv2 {
namespace {

constexpr std::string_view kRecent = "Recent";

std::string KeyOf(int index) { return "File" + IntToStr(index + 1); }

// A "&" in a menu caption marks the next character as the entry's key: doubled, it shows.
std::wstring MenuText(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}

}  // namespace

void RecentFiles::Add(const std::wstring& path) {
    if (path.empty() || FromCp932(ToCp932(path)) != path) return;
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > static_cast<std::size_t>(kRecentFileCount)) paths_.resize(kRecentFileCount);
}

void RecentFiles::Remove(const std::wstring& path) {
    std::erase_if(paths_, [&](const std::wstring& p) { return SameTextAscii(p, path); });
}

void RecentFiles::Read(const IniFile& ini) {
    paths_.clear();
    for (int i = kRecentFileCount - 1; i >= 0; --i) {
        const std::string value = ini.ReadString(kRecent, KeyOf(i), "");
        if (!value.empty()) Add(FromCp932(value));
    }
}

void RecentFiles::Write(IniFile& ini) const {
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        ini.WriteString(kRecent, KeyOf(i), n < paths_.size() ? ToCp932(paths_[n]) : std::string());
    }
}

std::vector<RecentMenuEntry> RecentMenuEntries(const RecentFiles& recent, const std::wstring& current) {
    std::vector<RecentMenuEntry> entries;
    int n = 0;
    for (const std::wstring& path : recent.Paths()) {
        ++n;
        std::wstring caption = L"&" + std::to_wstring(n) + L" " + MenuText(ExtractFileName(path)) + L" (" +
                               MenuText(ExtractFileDir(path)) + L")";
        entries.push_back({std::move(caption), !current.empty() && SameTextAscii(path, current)});
    }
    return entries;
}

}  // namespace cv2
