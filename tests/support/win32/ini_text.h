#pragma once
// The program's INI file as the tests see it: the text (decoded from the system's ANSI code page) and
// a plain look-up of one key for assertions. Sections and keys match without regard to ASCII case,
// names and values are trimmed, matching quotes around a value are removed, and the first match wins.
#include <optional>
#include <string>
#include <string_view>

namespace qv::test {

class IniText {
public:
    IniText() = default;
    explicit IniText(std::wstring text) : text_(std::move(text)) {}
    static IniText from_ansi(std::string_view bytes);
    // As the system reads a settings file: UTF-16 after its byte order mark, else the ANSI code page.
    static IniText from_file(std::string_view bytes);

    const std::wstring& text() const noexcept { return text_; }
    std::optional<std::wstring> value(std::wstring_view section, std::wstring_view key) const;
    // The value when it is a plain decimal integer (optional minus sign, nothing else); otherwise nothing.
    std::optional<long long> integer(std::wstring_view section, std::wstring_view key) const;

private:
    std::wstring text_;
};

// Text in code page 932 whatever the system's own code page: the INI file of a Japanese system.
std::string shift_jis(std::wstring_view text);

} // namespace qv::test
