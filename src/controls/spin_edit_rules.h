#pragma once
// The rules of the numeric spin edit (TSpinNumberEdit): how its text reads as a number, how a number is
// kept in range, how a step moves it, and which typed characters the field takes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::controls {

struct SpinRange {
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 0;  // equal to MinValue: no range, nothing is clamped
};

// The value limited to the range (none when MinValue equals MaxValue). Wider values than 32 bits (a step
// past the end of the integers) stop at the end instead of wrapping around.
std::int32_t clamp_spin_value(std::int64_t value, SpinRange range);

// A decimal integer with an optional leading sign, nothing else; nothing for other text or a number
// beyond 32 bits.
std::optional<std::int32_t> parse_spin_text(std::wstring_view text);
// What the field's text means: its number, or MinValue for anything that is not one (the empty text too).
inline std::int32_t spin_text_value(std::wstring_view text, SpinRange range) {
    return parse_spin_text(text).value_or(range.MinValue);
}
std::wstring spin_value_text(std::int32_t value);

// One step of the buttons or arrow keys (`steps` +1 up, -1 down), clamped.
std::int32_t spin_step(std::int32_t value, std::int32_t increment, int steps, SpinRange range);

// Whether a typed character reaches the text: digits, signs, the decimal separator and control
// characters except the line breaks (Enter, Ctrl+Enter and Ctrl+J); with the editor disabled no
// printable character, backspace or delete.
bool spin_char_allowed(wchar_t c, wchar_t decimal_separator, bool editor_enabled);

// What of a pasted or set text enters the field: the part before its first line break, as a one-line
// field takes it. The field's text is drawn by a multi-line edit, which would otherwise take the break
// and the lines after it.
std::wstring_view spin_single_line(std::wstring_view text);

} // namespace qv::controls
