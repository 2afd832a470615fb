#include "skin/digit_field.h"

#include <utility>

namespace qv::skin {

DigitField::DigitField(std::shared_ptr<const DigitPictures> pictures, DigitAlign align, Color key)
    : pictures_(std::move(pictures)), align_(align), key_(key) {
    SetTransparent(true);
    SetTransparentKey(ToPixel(key_));
}

void DigitField::SetPosition(const SkinPosition& at) {
    SetBounds(at.Left, at.Top, at.WidthOr(kDigitCells * pictures_->CellWidth), at.HeightOr(pictures_->CellHeight));
}

void DigitField::SetNumber(long long number) { SetPicture(ComposeDigits(number, *pictures_, align_, key_)); }

} // namespace qv::skin
