#include "skin/text.h"

#include <cstdlib>

namespace qv::skin {

int HeightFromPoints(int points, int pixels_per_inch) {
    const long long product = static_cast<long long>(points) * pixels_per_inch;
    const long long rounded = (product >= 0 ? product + 36 : product - 36) / 72;
    return -static_cast<int>(std::llabs(rounded));
}

Font FontToFit(TextRenderer& renderer, const Font& font, std::wstring_view text, int width, int smallest_height) {
    Font fitted = font;
    // The sign says how GDI reads the height (character or cell height); it is kept.
    const int sign = font.Height < 0 ? -1 : 1;
    for (int height = std::abs(font.Height); height > smallest_height; --height) {
        if (renderer.Measure(fitted, text).cx <= width) break;
        fitted.Height = sign * (height - 1);
    }
    return fitted;
}

std::wstring FormatGaugeText(std::wstring_view format, long long number) {
    std::wstring out;
    out.reserve(format.size() + 8);
    std::size_t i = 0;
    while (i < format.size()) {
        const wchar_t c = format[i];
        if (c != L'%' || i + 1 >= format.size()) {
            out += c;
            ++i;
            continue;
        }
        if (format[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        // %[-][width]d
        std::size_t j = i + 1;
        const bool left = format[j] == L'-';
        if (left) ++j;
        std::size_t width = 0;
        while (j < format.size() && format[j] >= L'0' && format[j] <= L'9' && width < 1000) {
            width = width * 10 + static_cast<std::size_t>(format[j] - L'0');
            ++j;
        }
        if (j < format.size() && (format[j] == L'd' || format[j] == L'D')) {
            std::wstring digits = std::to_wstring(number);
            if (digits.size() < width) {
                const std::wstring pad(width - digits.size(), L' ');
                digits = left ? digits + pad : pad + digits;
            }
            out += digits;
            i = j + 1;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace qv::skin
