#pragma once
// Integers as the settings file and skin files spell them: decimal with an optional sign, or hexadecimal
// after "$", "x" or "0x"; leading blanks are skipped. Anything else, and a decimal outside the 32-bit
// range, is not an integer. Hexadecimal takes up to 32 bits, so "$FFFFFFFF" is -1 and the system colours
// ("$80000005") fit.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv::ini {

std::optional<std::int32_t> parse_integer(std::wstring_view text);

// The value of one digit in base 10 or 16, or -1 when `c` is no such digit.
int digit_value(wchar_t c, int base);

} // namespace qv::ini
