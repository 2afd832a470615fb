#pragma once
// Conversions between the system's 8-bit (ANSI) code page and wide text.
#include <string>
#include <string_view>

namespace qv::win {

std::wstring ansi_to_wide(std::string_view text);
std::string wide_to_ansi(std::wstring_view text);
std::wstring utf8_to_wide(std::string_view text);
std::string wide_to_utf8(std::wstring_view text);

} // namespace qv::win
