#include "settings/Ini.h"

#include <cstdint>

#include "base/Text.h"

namespace cv2 {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The blanks the platform trims around lines, names and values (^Z is an old end-of-file mark).
// None of them can be the second byte of a double-byte character.
constexpr bool IsBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; }

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// The platform takes names and values as C strings.
std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

constexpr unsigned char FoldByte(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

// Hash of a name with its ASCII letters folded; second bytes of double-byte characters are
// never folded (they can look like letters).
std::uint32_t FoldHash(std::string_view s) {
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(c) && i + 1 < s.size()) {
            h = (h ^ c) * 16777619u;
            c = static_cast<unsigned char>(s[++i]);
        } else {
            c = FoldByte(c);
        }
        h = (h ^ c) * 16777619u;
    }
    return h;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldByte(x) != FoldByte(y)) {
            return false;
        }
    }
    return true;
}

constexpr bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Position of the first CR or LF from `pos`, or the size. (find_first_of would search the
// two-byte set once for every byte.)
std::size_t FindLineBreak(std::string_view s, std::size_t pos) {
    while (pos < s.size() && !IsLineBreak(s[pos])) ++pos;
    return pos;
}

bool HasLineBreak(std::string_view s) { return FindLineBreak(s, 0) < s.size(); }

// True when the text ends in a first byte without its second byte.
bool EndsInsideCharacter(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) i += IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i > s.size();
}

// Byte length of the first `chars` characters of s (all of s when it has fewer).
std::size_t CharPrefix(std::string_view s, std::size_t chars) {
    std::size_t i = 0;
    while (i < s.size() && chars > 0) {
        i += IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
        --chars;
    }
    return i;
}

std::size_t CharCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n)
        i += IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    return n;
}

// What a read into a buffer of 2048 gives. When the value is enclosed in a pair of quotes, the
// platform copies from after the opening one and then drops the copy's last character, which is
// the closing quote only when the whole rest fitted: the copy keeps at most 2047 characters, and
// the drop happens whenever the rest had at most 2048. The result then goes into 2047 bytes.
std::string CopyEntry(std::string_view value) {
    constexpr std::size_t kBufferChars = IniFile::kMaxRead + 1;
    bool quoted = false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::size_t chars = CharCount(value);
    std::size_t kept = chars < kBufferChars - 1 ? chars : kBufferChars - 1;
    if (quoted && kBufferChars >= chars && kept > 0) --kept;
    std::string_view out = value.substr(0, CharPrefix(value, kept));
    // The byte buffer holds 2047 bytes: a character that does not fit whole is left out.
    std::size_t bytes = 0;
    while (bytes < out.size()) {
        std::size_t step = IsLeadByte(static_cast<unsigned char>(out[bytes])) && bytes + 1 < out.size() ? 2 : 1;
        if (bytes + step > IniFile::kMaxRead) break;
        bytes += step;
    }
    out = out.substr(0, bytes);
    return std::string(out);
}

}  // namespace

template <typename NameOf>
std::size_t IniFile::NameIndex::Find(std::string_view name, const NameOf& nameOf) const {
    if (slots_.empty()) return std::string_view::npos;
    std::uint32_t h = FoldHash(name);
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.pos1 == 0) return std::string_view::npos;
        if (slot.hash == h && SameName(nameOf(slot.pos1 - 1), name)) return slot.pos1 - 1;
    }
}

template <typename NameOf>
void IniFile::NameIndex::Add(std::string_view name, std::size_t pos, const NameOf& nameOf) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    std::uint32_t h = FoldHash(name);
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.pos1 == 0) {
            slot.hash = h;
            slot.pos1 = static_cast<std::uint32_t>(pos + 1);
            ++count_;
            return;
        }
        if (slot.hash == h && SameName(nameOf(slot.pos1 - 1), name)) return;  // the first one stays
    }
}

void IniFile::NameIndex::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.pos1 == 0) continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].pos1 != 0) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

int StrToIntDef(std::string_view text, int def) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint64_t n = 0;
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return def;  // no digits
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return def;
        }
        n = n * (hex ? 16 : 10) + digit;
        if (n > 0xFFFFFFFFull) return def;
    }
    if (hex) {
        // Hexadecimal gives the 32-bit pattern: $FFFFFFFF is -1.
        std::uint32_t bits = static_cast<std::uint32_t>(n);
        if (negative) bits = 0u - bits;
        return static_cast<int>(static_cast<std::int32_t>(bits));
    }
    if (negative) {
        if (n > 0x80000000ull) return def;
        return static_cast<int>(-static_cast<std::int64_t>(n));
    }
    if (n > 0x7FFFFFFFull) return def;
    return static_cast<int>(n);
}

struct IniFile::KeyNames {
    const Section& section;
    std::string_view operator()(std::size_t i) const { return section.keys[i].name; }
};

std::size_t IniFile::FindSection(std::string_view name) const {
    return sectionIndex_.Find(name, [this](std::size_t i) { return std::string_view(sections_[i].name); });
}

void IniFile::IndexSection(std::size_t i) {
    sectionIndex_.Add(sections_[i].name, i, [this](std::size_t j) { return std::string_view(sections_[j].name); });
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    ini.raw_ = std::string(bytes);
    if (bytes.empty()) return ini;
    // A UTF-8 mark makes the platform read the file as UTF-8 and write it back so; names and
    // values of ASCII text come out the same.
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        ini.utf8Mark_ = true;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    // The platform keeps names and values as C strings: a NUL byte ends them, and what reading
    // the written text gives can differ from what was read.
    if (bytes.find('\0') != std::string_view::npos) ini.unstable_ = true;
    ini.sections_.push_back(Section{});  // the lines before the first section
    ini.IndexSection(0);
    Section* current = &ini.sections_.back();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = FindLineBreak(bytes, pos);
        std::string_view line = Trim(bytes.substr(pos, end - pos));
        pos = end;
        while (pos < bytes.size() && IsLineBreak(bytes[pos])) ++pos;
        if (line.empty()) continue;

        if (line[0] == '[') {
            std::size_t close = FindLastSingleByteChar(line, ']');
            if (close != std::string_view::npos) {
                Section s;
                s.name = std::string(UpToNul(Trim(line.substr(1, close - 1))));
                // Written back, a nameless section loses its header, and a name ending in the first
                // byte of a character takes the "]" for its second byte.
                if (s.name.empty() || EndsInsideCharacter(s.name)) ini.unstable_ = true;
                ini.sections_.push_back(std::move(s));
                ini.IndexSection(ini.sections_.size() - 1);
                current = &ini.sections_.back();
                continue;
            }
        }
        Key key;
        std::string_view name = line;
        std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
            name = TrimRight(line.substr(0, eq));
            key.value = std::string(UpToNul(TrimLeft(line.substr(eq + 1))));
            key.hasValue = true;
        }
        // A second nameless key in a row is dropped.
        if (name.empty() && !current->keys.empty() && current->keys.back().name.empty()) continue;
        key.name = std::string(UpToNul(name));
        ini.AddKey(*current, std::move(key));
    }
    return ini;
}

IniFile IniFile::Load(FileSystem& files, const std::wstring& path) {
    std::string bytes;
    if (!files.ReadFile(path, bytes)) {
        IniFile none;
        none.unreadable_ = !files.IsAbsent(path);
        return none;
    }
    return Parse(bytes);
}

void IniFile::AddKey(Section& s, Key key) {
    s.keys.push_back(std::move(key));
    s.index.Add(s.keys.back().name, s.keys.size() - 1, KeyNames{s});
}

const IniFile::Key* IniFile::Find(std::string_view section, std::string_view key) const {
    std::size_t si = FindSection(Trim(UpToNul(section)));
    if (si == std::string_view::npos) return nullptr;
    const Section& s = sections_[si];
    std::size_t ki = s.index.Find(Trim(UpToNul(key)), KeyNames{s});
    if (ki == std::string_view::npos) return nullptr;
    return &s.keys[ki];
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const { return Find(section, key) != nullptr; }

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const Key* k = Find(section, key);
    if (k && k->hasValue) return CopyEntry(k->value);
    def = UpToNul(def);
    // Trailing spaces of the default go, except its first character.
    std::size_t n = def.size();
    while (n > 1 && def[n - 1] == ' ') --n;
    return CopyEntry(def.substr(0, n));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    return StrToIntDef(ReadString(section, key, ""), def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
    std::size_t si = FindSection(TrimRight(name));
    if (si != std::string_view::npos) return sections_[si];
    Section s;
    s.name = std::string(name);
    sections_.push_back(std::move(s));
    IndexSection(sections_.size() - 1);
    return sections_.back();
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimLeft(UpToNul(section));
    key = TrimLeft(UpToNul(key));
    value = TrimLeft(UpToNul(value));

    if (sections_.empty()) {
        // Once written, the file is read again with its lines before the first section, even
        // when there are none.
        sections_.push_back(Section{});
        IndexSection(0);
    }
    Section& s = SectionFor(section);
    Key* k = nullptr;
    std::size_t ki = s.index.Find(TrimRight(key), KeyNames{s});
    if (ki != std::string_view::npos) {
        k = &s.keys[ki];
    } else {
        Key created;
        created.name = std::string(key);
        AddKey(s, std::move(created));
        k = &s.keys.back();
    }
    if (k->hasValue && k->value == value) return;  // the platform leaves the file alone
    k->value = std::string(value);
    k->hasValue = true;
    changed_ = true;
    stale_ = true;

    // What is on disk is what counts: when the written text would read back differently from the
    // tree in memory (line breaks, blanks at the ends, an "=" in a key name, a key that looks like
    // a section), read the file's new text again, as the platform does at its next call.
    bool clean = !section.empty() && TrimRight(section).size() == section.size() && !HasLineBreak(section) &&
                 !EndsInsideCharacter(section) && !key.empty() && TrimRight(key).size() == key.size() &&
                 !HasLineBreak(key) && key.find('=') == std::string_view::npos && key[0] != '[' &&
                 TrimRight(value).size() == value.size() && !HasLineBreak(value);
    if (!clean || unstable_) Reparse();
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, IntToStr(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::Reparse() {
    IniFile again = Parse(Bytes());
    again.changed_ = true;  // the text is the written one; the tree is what reading it gives
    *this = std::move(again);
}

std::string IniFile::Bytes() const {
    if (!stale_) return raw_;
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 4;
        for (const Key& k : s.keys) size += k.name.size() + k.value.size() + 3;
    }
    std::string out;
    out.reserve(size + kUtf8Mark.size());
    if (utf8Mark_) out += kUtf8Mark;
    for (const Section& s : sections_) {
        if (!s.name.empty()) {
            out += '[';
            out += s.name;
            out += "]\r\n";
        }
        for (const Key& k : s.keys) {
            out += k.name;
            if (k.hasValue) {
                out += '=';
                out += k.value;
            }
            out += "\r\n";
        }
    }
    return out;
}

bool IniFile::Save(FileSystem& files, const std::wstring& path) const {
    return !unreadable_ && files.WriteFileAtomic(path, Bytes());
}

}  // namespace cv2
