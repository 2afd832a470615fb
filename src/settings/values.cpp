#include "settings/values.h"

#include <array>

#include "base/app_error.h"
#include "base/ascii.h"

namespace qv::settings {
namespace {

struct NamedColor {
    const wchar_t* name;
    Color value;
};

constexpr Color kSystemColor = 0x80000000u;

constexpr std::array<NamedColor, 42> kColorNames{{
    {L"clBlack", 0x000000},
    {L"clMaroon", 0x000080},
    {L"clGreen", 0x008000},
    {L"clOlive", 0x008080},
    {L"clNavy", 0x800000},
    {L"clPurple", 0x800080},
    {L"clTeal", 0x808000},
    {L"clGray", 0x808080},
    {L"clSilver", 0xC0C0C0},
    {L"clRed", 0x0000FF},
    {L"clLime", 0x00FF00},
    {L"clYellow", 0x00FFFF},
    {L"clBlue", 0xFF0000},
    {L"clFuchsia", 0xFF00FF},
    {L"clAqua", 0xFFFF00},
    {L"clWhite", 0xFFFFFF},
    {L"clScrollBar", kSystemColor + 0},
    {L"clBackground", kSystemColor + 1},
    {L"clActiveCaption", kSystemColor + 2},
    {L"clInactiveCaption", kSystemColor + 3},
    {L"clMenu", kSystemColor + 4},
    {L"clWindow", kSystemColor + 5},
    {L"clWindowFrame", kSystemColor + 6},
    {L"clMenuText", kSystemColor + 7},
    {L"clWindowText", kSystemColor + 8},
    {L"clCaptionText", kSystemColor + 9},
    {L"clActiveBorder", kSystemColor + 10},
    {L"clInactiveBorder", kSystemColor + 11},
    {L"clAppWorkSpace", kSystemColor + 12},
    {L"clHighlight", kSystemColor + 13},
    {L"clHighlightText", kSystemColor + 14},
    {L"clBtnFace", kSystemColor + 15},
    {L"clBtnShadow", kSystemColor + 16},
    {L"clGrayText", kSystemColor + 17},
    {L"clBtnText", kSystemColor + 18},
    {L"clInactiveCaptionText", kSystemColor + 19},
    {L"clBtnHighlight", kSystemColor + 20},
    {L"cl3DDkShadow", kSystemColor + 21},
    {L"cl3DLight", kSystemColor + 22},
    {L"clInfoText", kSystemColor + 23},
    {L"clInfoBk", kSystemColor + 24},
    {L"clNone", 0x1FFFFFFF},
}};

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

} // namespace

std::wstring bool_default_text(std::wstring_view default_value) {
    const bool yes = default_value == L"1" || equals_ignore_case(default_value, L"TRUE") ||
                     equals_ignore_case(default_value, L"YES");
    return yes ? L"1" : L"0";
}

bool text_to_bool(std::wstring_view text) {
    return integer_or_zero(text) != 0;
}

std::wstring color_to_text(Color color) {
    for (const auto& named : kColorNames) {
        if (named.value == color) return named.name;
    }
    std::wstring text = L"$";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kHexDigits[(color >> shift) & 0xF];
    }
    return text;
}

std::optional<Color> parse_color(std::wstring_view text) {
    for (const auto& named : kColorNames) {
        if (equals_ignore_case(text, named.name)) return named.value;
    }
    if (auto number = parse_integer(text)) return static_cast<Color>(*number);
    return std::nullopt;
}

Color text_to_color(std::wstring_view text) {
    if (auto color = parse_color(text)) return *color;
    throw AppError(L"'" + std::wstring(text) + L"' is not a valid color value");
}

std::vector<std::wstring> bytes_to_hex_lines(std::span<const std::uint8_t> bytes) {
    constexpr size_t kBytesPerLine = 32;
    std::vector<std::wstring> lines;
    for (size_t start = 0; start < bytes.size(); start += kBytesPerLine) {
        std::wstring line;
        for (size_t i = start; i < bytes.size() && i < start + kBytesPerLine; ++i) {
            line += kHexDigits[bytes[i] >> 4];
            line += kHexDigits[bytes[i] & 0xF];
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void append_hex_line(std::wstring_view line, std::vector<std::uint8_t>& bytes) {
    for (size_t i = 0; i < line.size(); i += 2) {
        const int high = ini::digit_value(line[i], 16);
        if (i + 1 == line.size()) {
            bytes.push_back(static_cast<std::uint8_t>(high < 0 ? 0 : high));
            break;
        }
        const int low = ini::digit_value(line[i + 1], 16);
        bytes.push_back(static_cast<std::uint8_t>(high < 0 || low < 0 ? 0 : high * 16 + low));
    }
}

} // namespace qv::settings
