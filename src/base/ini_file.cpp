#include "base/ini_file.h"

#include <string_view>
#include <optional>

#include "base/ascii.h"

namespace qv::ini {
namespace {

enum class Encoding { ansi, utf8, utf16le, utf16be };

struct Document {
    std::string bytes;
    Encoding encoding = Encoding::ansi;
    size_t body = 0;  // the first byte after the byte order mark
};

Document open_document(std::string bytes) {
    Document doc{std::move(bytes)};
    std::string_view b = doc.bytes;
    // A file saved by a text editor as Unicode keeps that encoding; read as ANSI its first header would not
    // match and a write would append a second copy of the section in other bytes.
    if (b.starts_with("\xEF\xBB\xBF")) {
        doc.encoding = Encoding::utf8;
        doc.body = 3;
    } else if (b.starts_with("\xFF\xFE")) {
        doc.encoding = Encoding::utf16le;
        doc.body = 2;
    } else if (b.starts_with("\xFE\xFF")) {
        doc.encoding = Encoding::utf16be;
        doc.body = 2;
    }
    // A file cut short in the middle of a character ends in a stray byte that no reader takes as text.
    // Dropped, so that what a write appends stays in step with the code units before it.
    const bool wide = doc.encoding == Encoding::utf16le || doc.encoding == Encoding::utf16be;
    if (wide && (doc.bytes.size() - doc.body) % 2 != 0) doc.bytes.pop_back();
    return doc;
}

bool is_wide(Encoding e) {
    return e == Encoding::utf16le || e == Encoding::utf16be;
}

struct Line {
    size_t begin = 0;  // first byte
    size_t end = 0;    // end of the text: before the line end
    size_t next = 0;   // first byte of the following line
    bool terminated = false;
};

// The 16-bit unit at `i` of a UTF-16 document.
unsigned unit_at(const Document& doc, size_t i) {
    const auto a = static_cast<unsigned char>(doc.bytes[i]);
    const auto b = static_cast<unsigned char>(doc.bytes[i + 1]);
    return doc.encoding == Encoding::utf16be ? (a << 8) | b : (b << 8) | a;
}

// The character (byte or 16-bit unit) at byte `i`, and how many bytes a character takes.
unsigned char_at(const Document& doc, size_t i) {
    return is_wide(doc.encoding) ? unit_at(doc, i) : static_cast<unsigned char>(doc.bytes[i]);
}
size_t char_size(const Document& doc) {
    return is_wide(doc.encoding) ? 2 : 1;
}

// A line ends at CR LF, at LF or at a lone CR, as the system's profile functions read it: files that old
// editors saved with CR alone are read line by line. No trail byte of a code page the system uses is a CR
// or LF, so the bytes are scanned as they are.
bool next_line(const Document& doc, size_t pos, Line& line) {
    const size_t size = doc.bytes.size();
    if (pos >= size) return false;
    const size_t step = char_size(doc);
    line.begin = pos;
    size_t i = pos;
    if (step == 1) {
        i = std::string_view(doc.bytes).find_first_of("\r\n", pos);
        if (i == std::string_view::npos) i = size;
    } else {
        while (i + 1 < size && unit_at(doc, i) != L'\n' && unit_at(doc, i) != L'\r')
            i += 2;
    }
    line.terminated = i + step <= size;
    line.end = line.terminated ? i : size;
    line.next = size;
    if (line.terminated) {
        line.next = i + step;
        if (char_at(doc, i) == L'\r' && line.next + step <= size && char_at(doc, line.next) == L'\n') line.next += step;
    }
    return true;
}

template <typename Ch>
bool is_blank(Ch c) {
    return c == Ch(' ') || c == Ch('\t') || c == Ch('\r');
}

template <typename Ch>
std::basic_string_view<Ch> trim(std::basic_string_view<Ch> text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

enum class LineKind { blank, header, entry, other };

template <typename Ch>
struct ParsedLine {
    LineKind kind = LineKind::blank;
    std::basic_string_view<Ch> name;   // the section of a header, the key of an entry
    std::basic_string_view<Ch> value;  // an entry's value, trimmed
};

template <typename Ch>
ParsedLine<Ch> parse_line(std::basic_string_view<Ch> text) {
    text = trim(text);
    if (text.empty()) return {};
    if (text.front() == Ch('[')) {
        // The name runs to the last bracket of the line; a "[" without one makes an ordinary line.
        const size_t close = text.rfind(Ch(']'));
        if (close != text.npos) return {LineKind::header, trim(text.substr(1, close - 1)), {}};
    }
    const size_t equals = text.find(Ch('='));
    if (equals == text.npos) return {LineKind::other, text, {}};
    return {LineKind::entry, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

bool names_match(std::string_view ascii, std::wstring_view name) {
    return equals_ignore_case(ascii, name);
}
bool names_match(std::wstring_view text, std::wstring_view name) {
    return equals_ignore_case(text, name);
}

std::wstring widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}
std::wstring widen(std::wstring_view text) {
    return std::wstring(text);
}

template <typename Ch>
std::wstring finish_value(std::basic_string_view<Ch> value) {
    if (value.size() >= 2 && (value.front() == Ch('"') || value.front() == Ch('\'')) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return widen(value.substr(0, kMaxValueLength));
}

// Runs `use` on the line's text: the bytes themselves when the line is ASCII in a byte encoding (every
// code page the system uses agrees on ASCII, and most lines are ASCII), otherwise the decoded text, so
// that nothing ever matches inside a double-byte character.
template <typename Use>
auto with_text(const Document& doc, const TextCodec& ansi, const Line& line, Use&& use) {
    std::string_view bytes(doc.bytes.data() + line.begin, line.end - line.begin);
    if (!is_wide(doc.encoding) && is_ascii(bytes)) return use(bytes);
    std::wstring decoded;
    switch (doc.encoding) {
        case Encoding::ansi:
            decoded = ansi.decode(bytes);
            break;
        case Encoding::utf8:
            decoded = Utf8Codec().decode(bytes);
            break;
        case Encoding::utf16le:
            decoded = decode_utf16(bytes, false);
            break;
        case Encoding::utf16be:
            decoded = decode_utf16(bytes, true);
            break;
    }
    return use(std::wstring_view(decoded));
}

// A header line starts with "[" after blanks; ASCII bytes never occur inside a character at the start of a
// line, so the test needs no decoding.
bool may_be_header(const Document& doc, const Line& line) {
    if (is_wide(doc.encoding)) return true;
    for (size_t i = line.begin; i < line.end; ++i) {
        const char c = doc.bytes[i];
        if (!is_blank(c)) return c == '[';
    }
    return false;
}

struct SectionWalk {
    bool found = false;
    size_t insert_at = 0;             // where a new key of the section goes
    bool insert_needs_break = false;  // the line before that point is the file's last and has no line end
};

// Calls visit(line, key, value) for every entry of the first section named `section`, until it returns
// false. A new key goes after the section's last line that is not blank: blank lines before the next
// header stay where they are.
template <typename Visit>
SectionWalk walk_section(const Document& doc, const TextCodec& ansi, std::wstring_view section, Visit&& visit) {
    SectionWalk walk;
    bool inside = false;
    Line line;
    for (size_t pos = doc.body; next_line(doc, pos, line); pos = line.next) {
        if (!inside && !may_be_header(doc, line)) continue;
        const bool go_on = with_text(doc, ansi, line, [&](auto text) {
            const auto parsed = parse_line(text);
            if (parsed.kind == LineKind::header) {
                if (inside) return false;  // the section ended without the key
                inside = names_match(parsed.name, section);
                if (inside) {
                    walk.found = true;
                    walk.insert_at = line.next;
                    walk.insert_needs_break = !line.terminated;
                }
                return true;
            }
            if (!inside || parsed.kind == LineKind::blank) return true;
            walk.insert_at = line.next;
            walk.insert_needs_break = !line.terminated;
            return parsed.kind != LineKind::entry || visit(line, parsed.name, parsed.value);
        });
        if (!go_on) break;
    }
    return walk;
}

std::wstring_view trim_name(std::wstring_view name) {
    return trim(name);
}

bool has_line_break(std::wstring_view text) {
    return text.find_first_of(std::wstring_view(L"\r\n\0", 3)) != text.npos;
}

// Names a reader could find again once written.
bool storable_section(std::wstring_view trimmed) {
    return !trimmed.empty() && !has_line_break(trimmed);
}
bool storable_key(std::wstring_view trimmed) {
    return !trimmed.empty() && !has_line_break(trimmed) && trimmed.find(L'=') == trimmed.npos &&
           trimmed.front() != L'[';
}

std::optional<std::string> encode_for(const Document& doc, const TextCodec& ansi, std::wstring_view text) {
    switch (doc.encoding) {
        case Encoding::ansi:
            return ansi.encode(text);
        case Encoding::utf8:
            return Utf8Codec().encode(text);
        case Encoding::utf16le:
            return encode_utf16(text, false);
        case Encoding::utf16be:
            return encode_utf16(text, true);
    }
    return std::nullopt;
}

// Whether every name and value of the write has a form in the document's encoding.
bool encodable(const Document& doc, const TextCodec& ansi, std::span<const IniSectionEntries> sections) {
    auto fits = [&](std::wstring_view text) { return encode_for(doc, ansi, text).has_value(); };
    for (const IniSectionEntries& part : sections) {
        if (!fits(trim_name(part.section))) return false;
        for (const IniEntry& entry : part.entries) {
            if (!fits(trim_name(entry.key)) || !fits(entry.value)) return false;
        }
    }
    return true;
}

// The document in UTF-16 (little-endian, with its byte order mark), every line holding the text the
// system read from it before; nothing when that text has no UTF-16 form.
std::optional<Document> as_utf16(const Document& doc, const TextCodec& ansi) {
    const auto body = encode_utf16(ansi.decode(std::string_view(doc.bytes).substr(doc.body)), false);
    if (!body) return std::nullopt;
    return Document{"\xFF\xFE" + *body, Encoding::utf16le, 2};
}

// The line end of the line that ends right before byte `pos`: empty at the start of the file and after a last
// line that has none.
std::string_view line_end_before(const Document& doc, size_t pos) {
    const size_t step = char_size(doc);
    if (pos < doc.body + step) return {};
    const unsigned last = char_at(doc, pos - step);
    if (last == L'\r') return std::string_view(doc.bytes).substr(pos - step, step);
    if (last != L'\n') return {};
    const bool pair = pos >= doc.body + 2 * step && char_at(doc, pos - 2 * step) == L'\r';
    return std::string_view(doc.bytes).substr(pos - (pair ? 2 : 1) * step, (pair ? 2 : 1) * step);
}

// The line end for a new line at `pos`: that of the line before it, so that a new line never joins the
// line end of its neighbour and a file keeps the line ends it has; else the file's first one; else CR LF.
std::string line_end_for(const Document& doc, size_t pos, const std::string& crlf) {
    std::string_view end = line_end_before(doc, pos);
    Line line;
    for (size_t at = doc.body; end.empty() && next_line(doc, at, line); at = line.next) {
        if (line.terminated) end = std::string_view(doc.bytes).substr(line.end, line.next - line.end);
    }
    return end.empty() ? crlf : std::string(end);
}

void apply(Document& doc,
           const TextCodec& ansi,
           std::wstring_view section,
           const IniEntry& entry,
           const std::wstring& path) {
    const std::wstring_view key = trim_name(entry.key);
    if (!storable_section(section) || !storable_key(key) || has_line_break(entry.value)) throw write_error(path);

    bool found = false;
    Line key_line;
    std::wstring spelling;
    const SectionWalk walk = walk_section(doc, ansi, section, [&](const Line& line, auto name, auto) {
        if (!names_match(name, key)) return true;
        found = true;
        key_line = line;
        spelling = widen(name);
        return false;
    });

    auto encode = [&](std::wstring_view text) {
        auto bytes = encode_for(doc, ansi, text);
        if (!bytes) throw write_error(path);
        return std::move(*bytes);
    };
    const std::string crlf = encode(L"\r\n");
    if (found) {
        // The key keeps its spelling; the line keeps its line end.
        doc.bytes.replace(key_line.begin, key_line.end - key_line.begin, encode(spelling + L"=" + entry.value));
    } else if (walk.found) {
        const std::string line_end = line_end_for(doc, walk.insert_at, crlf);
        std::string text = walk.insert_needs_break ? line_end : std::string();
        text += encode(std::wstring(key) + L"=" + entry.value) + line_end;
        doc.bytes.insert(walk.insert_at, text);
    } else {
        const size_t size = doc.bytes.size();
        const std::string line_end = line_end_for(doc, size, crlf);
        const bool needs_break = size > doc.body && line_end_before(doc, size).empty();
        std::string text = needs_break ? line_end : std::string();
        text += encode(L"[" + std::wstring(section) + L"]") + line_end;
        text += encode(std::wstring(key) + L"=" + entry.value) + line_end;
        doc.bytes += text;
    }
}

} // namespace

bool storable_value(std::wstring_view value) {
    return !has_line_break(value) && encode_utf16(value, false).has_value();
}

std::wstring IniFile::read(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const {
    section = trim_name(section);
    key = trim_name(key);
    std::wstring result;
    bool found = false;
    if (!section.empty() && !key.empty()) {
        FileRead file = files_.read(path_);
        if (file.status == ReadStatus::ok) {
            const Document doc = open_document(std::move(file.bytes));
            walk_section(doc, ansi_, section, [&](const Line&, auto name, auto value) {
                if (!names_match(name, key)) return true;
                result = finish_value(value);
                found = true;
                return false;
            });
        }
    }
    if (found) return result;
    while (!fallback.empty() && fallback.back() == L' ')
        fallback.remove_suffix(1);
    return std::wstring(fallback.substr(0, kMaxValueLength));
}

std::vector<IniEntry> IniFile::read_section(std::wstring_view section) const {
    section = trim_name(section);
    std::vector<IniEntry> entries;
    if (section.empty()) return entries;
    FileRead file = files_.read(path_);
    if (file.status != ReadStatus::ok) return entries;
    const Document doc = open_document(std::move(file.bytes));
    walk_section(doc, ansi_, section, [&](const Line&, auto name, auto value) {
        entries.push_back({widen(name), finish_value(value)});
        return true;
    });
    return entries;
}

void IniFile::write(std::wstring_view section, std::wstring_view key, std::wstring_view value) const {
    const IniEntry entry{std::wstring(key), std::wstring(value)};
    write(section, std::span<const IniEntry>(&entry, 1));
}

void IniFile::write(std::wstring_view section, std::span<const IniEntry> entries) const {
    const IniSectionEntries part{std::wstring(section), std::vector<IniEntry>(entries.begin(), entries.end())};
    write(std::span<const IniSectionEntries>(&part, 1));
}

void IniFile::write(std::span<const IniSectionEntries> sections) const {
    FileRead file = files_.read(path_);
    // A file that exists but cannot be read must not be replaced by one holding only the new keys.
    if (file.status == ReadStatus::failed) throw write_error(path_);
    Document doc = open_document(std::move(file.bytes));
    const std::string before = doc.bytes;
    // What the code page cannot hold is kept all the same, in a file the system reads as Unicode.
    if (doc.encoding == Encoding::ansi && !encodable(doc, ansi_, sections)) {
        std::optional<Document> wide = as_utf16(doc, ansi_);
        if (!wide) throw write_error(path_);
        doc = std::move(*wide);
    }
    for (const IniSectionEntries& part : sections) {
        const std::wstring_view section = trim_name(part.section);
        for (const IniEntry& entry : part.entries) apply(doc, ansi_, section, entry, path_);
    }
    // Writing the values a file already holds changes nothing, and needs no write access.
    if (doc.bytes == before) return;
    files_.write(path_, doc.bytes);
}

} // namespace qv::ini
