#pragma once
// Letter-case rules for names the program matches without regard to case (settings items, INI
// sections and keys, colour and key names). Only ASCII letters fold, as in those names.
#include <string>
#include <string_view>

namespace qv {

wchar_t ascii_upper(wchar_t c) noexcept;
bool equals_ignore_case(std::wstring_view a, std::wstring_view b) noexcept;
bool starts_with_ignore_case(std::wstring_view text, std::wstring_view prefix) noexcept;
std::wstring ascii_uppercase(std::wstring_view text);

// ASCII bytes against wide text: a line of a file that holds only ASCII is compared without decoding it.
bool equals_ignore_case(std::string_view ascii, std::wstring_view wide) noexcept;
bool is_ascii(std::string_view bytes) noexcept;

} // namespace qv
