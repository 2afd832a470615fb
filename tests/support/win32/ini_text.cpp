#include "support/win32/ini_text.h"

#include <windows.h>

#include "base/ascii.h"
#include "base/text_codec.h"
#include "base/win32/text.h"

namespace qv::test {
namespace {

std::wstring_view trim(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::string shift_jis(std::wstring_view text) {
    const int wide = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(932, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(932, 0, text.data(), wide, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

IniText IniText::from_ansi(std::string_view bytes) { return IniText(win::ansi_to_wide(bytes)); }

IniText IniText::from_file(std::string_view bytes) {
    if (!bytes.starts_with("\xFF\xFE")) return from_ansi(bytes);
    return IniText(ini::decode_utf16(bytes.substr(2), false));
}

std::optional<std::wstring> IniText::value(std::wstring_view section, std::wstring_view key) const {
    bool in_section = false;
    std::wstring_view rest = text_;
    while (!rest.empty()) {
        size_t end = rest.find(L'\n');
        std::wstring_view line = trim(rest.substr(0, end));
        rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 1);

        if (!line.empty() && line.front() == L'[') {
            size_t close = line.find(L']');
            in_section = close != std::wstring_view::npos && equals_ignore_case(trim(line.substr(1, close - 1)), section);
            continue;
        }
        size_t equals = line.find(L'=');
        if (!in_section || equals == std::wstring_view::npos || !equals_ignore_case(trim(line.substr(0, equals)), key)) {
            continue;
        }
        std::wstring_view found = trim(line.substr(equals + 1));
        if (found.size() >= 2 && (found.front() == L'"' || found.front() == L'\'') && found.back() == found.front()) {
            found = found.substr(1, found.size() - 2);
        }
        return std::wstring(found);
    }
    return std::nullopt;
}

std::optional<long long> IniText::integer(std::wstring_view section, std::wstring_view key) const {
    auto found = value(section, key);
    if (!found) return std::nullopt;
    std::wstring_view digits = *found;
    bool negative = !digits.empty() && digits.front() == L'-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 18) return std::nullopt;
    long long result = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        result = result * 10 + (c - L'0');
    }
    return negative ? -result : result;
}

} // namespace qv::test
