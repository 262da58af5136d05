#pragma once
// The settings file engine: an INI file held in memory with the reading and writing rules of
// the system's private-profile functions, so that a settings file written here is the file
// those functions would have written for the same writes, and reads give the same values.
//
// Usage:
//     IniFile ini = IniFile::Load(files, SettingsFileOf(path));   // missing file: empty
//     int top = ini.ReadInteger("Window", "Top", 0);
//     ini.WriteInteger("Window", "Top", 120);                      // in memory
//     if (!ini.Save(files, SettingsFileOf(path))) { ... }          // one atomic write
//
// Rules (texts are code page 932 bytes; names and values end at a NUL byte, as C strings do):
// - Lines end at any run of CR and LF. Blanks (tab, LF, VT, FF, CR, ^Z, space) around a line are
//   ignored, and so are empty lines. "[name]" (up to the last "]") opens a section; other lines
//   are keys: the name up to the first "=", the value after it, blanks around "=" ignored. A line
//   without "=" is a key without a value (reads give the default; a write gives it one). Lines
//   before the first section form a section with the empty name.
// - Section and key names match without regard to the case of ASCII letters; blanks around the
//   names asked for are ignored. With duplicates only the first section of a name is seen, and in
//   it the first key of a name.
// - A read gives the value with one pair of enclosing quotes (" or ') removed, at most 2047
//   bytes, cut on a character boundary; a missing key gives the default (trailing spaces removed,
//   enclosing quotes removed as well).
// - A write replaces the value in place (leading blanks of the value dropped); a new key goes to
//   the end of its section, a new section to the end of the file. A write that changes nothing
//   leaves the file's bytes as they were; any other write gives the whole file in the platform's
//   form: "[name]" and "key=value" lines ending in CR LF, no blank lines, blanks around names
//   and "=" gone, comments and lines without "=" kept. Later reads give what reading that file
//   gives, as the platform reads the file again: a value written with trailing blanks reads
//   without them, a line break in a written text starts a new line.
// - A UTF-8 byte order mark at the start is kept, and the text after it read as bytes: the same
//   as the platform for ASCII names and values. (UTF-16 files are not understood.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileSystem.h"

namespace cv2 {

class IniFile {
public:
    IniFile() = default;  // no file: every read gives its default
    static IniFile Parse(std::string_view bytes);
    // A missing or unreadable file gives an empty one. An unreadable one (there, but it could
    // not be read) is marked so, and Save never replaces it: its keys are not known here.
    static IniFile Load(FileSystem& files, const std::wstring& path);
    bool Unreadable() const { return unreadable_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Optionally signed decimal, or hexadecimal after "$", "0x" or "0X" (up to 8 digits, taken
    // as the 32-bit pattern: $FFFFFFFF is -1); leading spaces skipped; anything else, or a
    // number out of range, gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The file's bytes: the parsed bytes while no write changed anything.
    std::string Bytes() const;
    // Replaces the file atomically with Bytes(); false when the write failed, or the file was
    // unreadable when loaded.
    bool Save(FileSystem& files, const std::wstring& path) const;

    // True for a key that exists (with or without a value).
    bool HasKey(std::string_view section, std::string_view key) const;
    bool Changed() const { return changed_; }

    // The longest string a read gives, in bytes.
    static constexpr std::size_t kMaxRead = 2047;

private:
    // Names to the position of the first entry of that name, without regard to the case of
    // ASCII letters; open addressing over the entries' own names, so a lookup allocates nothing.
    class NameIndex {
    public:
        template <typename NameOf>
        std::size_t Find(std::string_view name, const NameOf& nameOf) const;
        // Adds entry `pos` unless an entry of the same name is there already.
        template <typename NameOf>
        void Add(std::string_view name, std::size_t pos, const NameOf& nameOf);

    private:
        struct Slot {
            std::uint32_t hash = 0;
            std::uint32_t pos1 = 0;  // position + 1; 0 for an empty slot
        };
        void Grow();
        std::vector<Slot> slots_;
        std::size_t count_ = 0;
    };

    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        NameIndex index;
    };

    struct KeyNames;
    const Key* Find(std::string_view section, std::string_view key) const;
    std::size_t FindSection(std::string_view name) const;
    void IndexSection(std::size_t i);
    Section& SectionFor(std::string_view name);
    void AddKey(Section& s, Key key);
    void Reparse();

    std::vector<Section> sections_;
    NameIndex sectionIndex_;
    std::string raw_;     // the file's text while the tree has not changed since it was read
    bool stale_ = false;  // the tree has changed since raw_ was read or written
    bool changed_ = false;
    // The parsed text has a section the platform would write without a header, so the next
    // written file reads back differently from the tree in memory.
    bool unstable_ = false;
    bool utf8Mark_ = false;  // the file starts with the UTF-8 byte order mark
    bool unreadable_ = false;
};

// StrToIntDef: optionally signed decimal or hexadecimal ("$", "0x", "0X"), leading spaces
// skipped, else `def`.
int StrToIntDef(std::string_view text, int def);

}  // namespace cv2
