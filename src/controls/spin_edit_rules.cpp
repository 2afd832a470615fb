#include "controls/spin_edit_rules.h"

#include <algorithm>
#include <limits>

namespace qv::controls {

std::int32_t clamp_spin_value(std::int64_t value, SpinRange range) {
    if (range.MinValue != range.MaxValue) {
        if (value < range.MinValue) return range.MinValue;
        if (value > range.MaxValue) return range.MaxValue;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::int32_t> parse_spin_text(std::wstring_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::wstring spin_value_text(std::int32_t value) { return std::to_wstring(value); }

std::int32_t spin_step(std::int32_t value, std::int32_t increment, int steps, SpinRange range) {
    return clamp_spin_value(static_cast<std::int64_t>(value) + static_cast<std::int64_t>(increment) * steps, range);
}

bool spin_char_allowed(wchar_t c, wchar_t decimal_separator, bool editor_enabled) {
    constexpr wchar_t kBackspace = 8, kLineFeed = 10, kEnter = 13, kDelete = 127;
    if (!editor_enabled && (c >= 32 || c == kBackspace || c == kDelete)) return false;
    if (c == kEnter || c == kLineFeed) return false;
    if (c < 32) return true;
    return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == decimal_separator;
}

std::wstring_view spin_single_line(std::wstring_view text) {
    return text.substr(0, text.find_first_of(L"\r\n"));
}

} // namespace qv::controls
