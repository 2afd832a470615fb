#pragma once
// Conversion between the bytes of an INI file and the program's text. The file is in the system's
// 8-bit code page (Shift-JIS on a Japanese system) unless it starts with a byte order mark; the code page
// itself is the platform's business and sits behind TextCodec.
#include <optional>
#include <string>
#include <string_view>

namespace qv::ini {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // Bytes that are not valid in the code page still give some text (a replacement character).
    virtual std::wstring decode(std::string_view bytes) const = 0;
    // Nothing when a character has no form in the code page: storing a stand-in such as "?" would
    // silently change a path or a name.
    virtual std::optional<std::string> encode(std::wstring_view text) const = 0;
};

class Utf8Codec final : public TextCodec {
public:
    std::wstring decode(std::string_view bytes) const override;
    std::optional<std::string> encode(std::wstring_view text) const override;
};

// UTF-16 files (those starting with a byte order mark). Bytes outside whole code units are dropped.
std::wstring decode_utf16(std::string_view bytes, bool big_endian);
std::optional<std::string> encode_utf16(std::wstring_view text, bool big_endian);

} // namespace qv::ini
