#pragma once
// How settings values are spelled in the file: integers, booleans, colours, fonts and byte streams.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini_integer.h"

namespace qv::settings {

// 0x00BBGGRR; with the top bit set, a system colour whose index is the low byte.
using Color = std::uint32_t;

using ini::parse_integer;
inline std::int32_t integer_or_zero(std::wstring_view text) {
    return parse_integer(text).value_or(0);
}

// The stored default of a boolean item turned into "1" or "0": "1", "TRUE" and "YES" (any case) are true.
std::wstring bool_default_text(std::wstring_view default_value);
// A stored boolean: any integer but 0 is true; text that is not an integer ("True") is false.
bool text_to_bool(std::wstring_view text);

// A named colour is always written by its name, any other as "$" and eight upper-case hex digits.
std::wstring color_to_text(Color color);
// Names match without regard to ASCII case, then the integer rules apply.
std::optional<Color> parse_color(std::wstring_view text);
// As parse_color; text that is neither raises AppError ("'xyz' is not a valid color value").
Color text_to_color(std::wstring_view text);

enum FontStyle : std::int32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as the settings know it. The style is kept in items of its own, not with the font's keys.
struct FontSpec {
    std::wstring name;
    std::int32_t size = 0;  // points
    Color color = 0;
    std::int32_t style = 0;  // FontStyle bits
};

// A byte stream as lines of at most 64 upper-case hex digits (32 bytes each).
std::vector<std::wstring> bytes_to_hex_lines(std::span<const std::uint8_t> bytes);
// Appends the bytes of one line: two digits a byte, a pair that is not hex gives 0, a lone last digit
// is a byte by itself.
void append_hex_line(std::wstring_view line, std::vector<std::uint8_t>& bytes);

} // namespace qv::settings
