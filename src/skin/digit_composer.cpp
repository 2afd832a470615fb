#include "skin/digit_composer.h"

#include <string>

#include "skin/arithmetic.h"
#include "skin/canvas.h"

namespace qv::skin {

DigitPictures LoadDigitPictures(const std::function<Image(int digit)>& load) {
    DigitPictures pictures;
    try {
        for (int digit = 0; digit <= 9; ++digit) {
            Image picture = load(digit);
            const int width = picture.Width(), height = picture.Height();
            pictures.Digits.push_back(std::move(picture));
            pictures.CellWidth = width;
            pictures.CellHeight = height;
        }
    } catch (...) {
        // A digit picture that cannot be had is left out, whatever the reason: the skin goes on.
    }
    return pictures;
}

std::optional<int> DigitOffset(DigitAlign align, int position, int length, int cell_width) {
    const int cell = (position - 1) * cell_width;
    switch (align) {
    case DigitAlign::Left: return cell;
    case DigitAlign::Center: return static_cast<int>(MulDivNearest(kDigitCells - length, cell_width, 2)) + cell;
    case DigitAlign::Right: return (position - length + kDigitCells - 1) * cell_width;
    case DigitAlign::None: break;
    }
    return std::nullopt;
}

Image ComposeDigits(long long number, const DigitPictures& pictures, DigitAlign align, Color transparent) {
    const int w = pictures.CellWidth;
    const int h = pictures.CellHeight;
    PixelBuffer cells(kDigitCells * w, h, ToPixel(transparent));
    Canvas canvas(cells);
    const std::string text = std::to_string(number);
    const int length = static_cast<int>(text.size());
    for (int position = length; position >= 1; --position) {
        const char c = text[static_cast<size_t>(position - 1)];
        if (c < '0' || c > '9') continue;
        const auto digit = static_cast<size_t>(c - '0');
        if (digit >= pictures.Digits.size()) continue;
        const auto x = DigitOffset(align, position, length, w);
        if (!x) continue;
        canvas.Copy(pictures.Digits[digit].Pixels(), Rect{0, 0, w, h}, Point{*x, 0});
    }
    return Image(std::move(cells));
}

} // namespace qv::skin
