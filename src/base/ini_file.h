#pragma once
// An INI file (the settings file, a skin's description) by the rules of the system's profile files:
// sections and keys match without regard to ASCII letter case; names and values are read without
// surrounding blanks and a value without one pair of enclosing quotes; the first of duplicate sections or
// keys is the one used; an existing key is replaced in place keeping its spelling and that of its header;
// a new key goes after the last line of its section, a new section at the end of the file.
//
// Nothing is kept between calls: every call reads the file as it is now, and every write replaces it
// (through FileStore, which does so atomically). Lines the write does not concern keep their bytes.
//
// A file in the system's code page stays in it while everything written has a form there (a Japanese
// system's file stays Shift-JIS). A value without one (a Japanese font name on a Western system, a path
// with characters of another script) is kept all the same: the file is then turned into UTF-16 with a
// byte order mark, which the system's own profile functions read and write natively, its other lines
// holding the same text as before.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"
#include "base/text_codec.h"

namespace qv::ini {

struct IniEntry {
    std::wstring key;
    std::wstring value;
};

// Keys of one section, for a write of several sections at once.
struct IniSectionEntries {
    std::wstring section;
    std::vector<IniEntry> entries;
};

// Whether a value can be written to a file at all: one without a line break (which would end the
// entry) and whose text every Unicode encoding can carry.
bool storable_value(std::wstring_view value);

// The longest value a read returns, as the system's 2048-character profile buffer gives.
inline constexpr size_t kMaxValueLength = 2047;

class IniFile {
public:
    // `ansi` is the system code page, used for files without a byte order mark (and for new files).
    IniFile(FileStore& files, const TextCodec& ansi, std::wstring path)
        : files_(files), ansi_(ansi), path_(std::move(path)) {}

    const std::wstring& path() const noexcept { return path_; }

    // The key's value, or `fallback` when the file, the section or the key is missing (the fallback
    // without trailing spaces, as the system's functions give it). A key present with an empty value
    // reads as empty. A file that exists but cannot be read reads as missing.
    std::wstring read(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const;

    // Every entry of the section as reads see them, in file order (a later duplicate key is listed but
    // shadowed by the first). Empty when the section or the file is missing.
    std::vector<IniEntry> read_section(std::wstring_view section) const;

    // Writes one key, or several keys of one or more sections in one replacement of the file, in order.
    // Raises write_error when the file cannot be written, exists but cannot be read, or when a name or
    // value cannot be stored (a line break in it, a key holding "=" or starting with "[", text no
    // encoding carries): the file is then left as it was.
    void write(std::wstring_view section, std::wstring_view key, std::wstring_view value) const;
    void write(std::wstring_view section, std::span<const IniEntry> entries) const;
    void write(std::span<const IniSectionEntries> sections) const;

private:
    FileStore& files_;
    const TextCodec& ansi_;
    std::wstring path_;
};

} // namespace qv::ini
