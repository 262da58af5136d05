// Files on a POSIX system, for the native tests and tools. Wide paths become UTF-8; a
// "\" is taken for "/" so that paths the program joins the Windows way work here too.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Path.h"
#include "platform/PosixPorts.h"
#include "platform/Wildcard.h"

namespace cv2 {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string ToNative(const std::wstring& path) {
    std::string out;
    out.reserve(path.size());
    for (wchar_t w : path) {
        char32_t c = static_cast<char32_t>(w);
        if (c == U'\\') c = U'/';
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

// UTF-8 to wide; a byte that does not belong to a valid sequence becomes U+FFFD.
std::wstring FromNative(std::string_view s) {
    std::wstring out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (t & 0x3F);
        }
        if (!ok) {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += 1 + static_cast<std::size_t>(extra);
    }
    return out;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

class PosixFileSystem : public FileSystem {
public:
    bool ReadFile(const std::wstring& path, std::string& bytes) override {
        int fd = ::open(ToNative(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        std::string data;
        char buffer[65536];
        bool ok = true;
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                ok = false;  // a folder, for one
                break;
            }
            if (n == 0) break;
            data.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(fd);
        if (ok) bytes = std::move(data);
        return ok;
    }

    bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) override {
        std::string target = ToNative(path);
        std::size_t slash = target.rfind('/');
        std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
        std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        if (name.empty()) return false;

        // A new file gets the usual mode (0666 less the umask); a replaced one keeps its own.
        struct stat old {};
        bool hadOld = ::stat(target.c_str(), &old) == 0;
        if (hadOld && S_ISDIR(old.st_mode)) return false;

        std::string temp;
        int fd = -1;
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            temp = dir + (slash == std::string::npos ? "/" : "") + "." + name + "." + std::to_string(::getpid()) + "." +
                   std::to_string(counter_++) + ".tmp";
            fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) return false;
        }
        if (fd < 0) return false;

        bool ok = WriteAll(fd, bytes);
        if (ok && hadOld) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        if (ok) ok = ::fsync(fd) == 0;
        if (::close(fd) != 0) ok = false;
        if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
        if (!ok) {
            ::unlink(temp.c_str());
            return false;
        }
        // Make the rename itself durable; the file is already complete either way.
        int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        return true;
    }

    bool RemoveFile(const std::wstring& path) override {
        const std::string target = ToNative(path);
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
        return ::unlink(target.c_str()) == 0 || errno == ENOENT;
    }

    bool RenameFile(const std::wstring& from, const std::wstring& to) override {
        const std::string source = ToNative(from), target = ToNative(to);
        struct stat st {};
        if (::stat(source.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
        if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
        return ::rename(source.c_str(), target.c_str()) == 0;
    }

    std::optional<std::int64_t> WriteTime(const std::wstring& path) override {
        struct stat st {};
        if (::stat(ToNative(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
        return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }

    bool FileExists(const std::wstring& path) override {
        struct stat st {};
        return ::stat(ToNative(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
    }

    bool IsAbsent(const std::wstring& path) override {
        struct stat st {};
        return ::stat(ToNative(path).c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
    }

    std::wstring FullPath(const std::wstring& path) override {
        if (path.empty() || path[0] == L'/' || path[0] == L'\\') return path;
        std::string cwd(256, '\0');
        while (!::getcwd(cwd.data(), cwd.size())) {
            if (errno != ERANGE) return path;
            cwd.resize(cwd.size() * 2);
        }
        cwd.resize(std::char_traits<char>::length(cwd.c_str()));
        std::wstring full = FromNative(cwd);
        if (full.empty() || full.back() != L'/') full += L'/';
        return full + path;
    }

    std::vector<std::wstring> FindFiles(const std::wstring& pattern) override {
        std::vector<std::wstring> found;
        std::wstring dir = ExtractFilePath(pattern);
        std::wstring mask = ExtractFileName(pattern);
        if (mask.empty()) return found;
        if (mask.find_first_of(L"*?") == std::wstring::npos) {
            struct stat st {};
            if (::lstat(ToNative(pattern).c_str(), &st) == 0) found.push_back(mask);
            return found;
        }
        DIR* d = ::opendir(dir.empty() ? "." : ToNative(dir).c_str());
        if (!d) return found;
        while (dirent* e = ::readdir(d)) {
            std::wstring name = FromNative(e->d_name);
            if (MatchesWildcard(mask, name)) found.push_back(name);
        }
        ::closedir(d);
        return found;
    }

    std::wstring ModulePath() override {
        std::string buffer(256, '\0');
        for (;;) {
            ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
            if (n < 0) return {};
            if (static_cast<std::size_t>(n) < buffer.size())
                return FromNative(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
            buffer.resize(buffer.size() * 2);
        }
    }

private:
    unsigned long counter_ = 0;
};

}  // namespace

std::unique_ptr<FileSystem> MakePosixFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace cv2
