#include "base/ascii.h"

namespace qv {

wchar_t ascii_upper(wchar_t c) noexcept { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }

bool equals_ignore_case(std::wstring_view a, std::wstring_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ascii_upper(a[i]) != ascii_upper(b[i])) return false;
    }
    return true;
}

bool starts_with_ignore_case(std::wstring_view text, std::wstring_view prefix) noexcept {
    return text.size() >= prefix.size() && equals_ignore_case(text.substr(0, prefix.size()), prefix);
}

std::wstring ascii_uppercase(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result) c = ascii_upper(c);
    return result;
}

bool equals_ignore_case(std::string_view ascii, std::wstring_view wide) noexcept {
    if (ascii.size() != wide.size()) return false;
    for (size_t i = 0; i < ascii.size(); ++i) {
        const auto byte = static_cast<wchar_t>(static_cast<unsigned char>(ascii[i]));
        if (ascii_upper(byte) != ascii_upper(wide[i])) return false;
    }
    return true;
}

bool is_ascii(std::string_view bytes) noexcept {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

} // namespace qv
