#pragma once
// A skin's digit field: a number drawn with the skin's digit pictures into three cells, aligned as the
// skin says, its key colour see-through so that the background shows around the digits.
#include <memory>

#include "skin/digit_composer.h"
#include "skin/picture_control.h"

namespace qv::skin {

class DigitField final : public PictureControl {
public:
    // The fields of one skin share its digit pictures.
    DigitField(std::shared_ptr<const DigitPictures> pictures, DigitAlign align, Color key);

    // At the skin's position; a size the skin leaves out is that of the three cells.
    void SetPosition(const SkinPosition& at);
    void SetNumber(long long number);

private:
    std::shared_ptr<const DigitPictures> pictures_;
    DigitAlign align_;
    Color key_;
};

} // namespace qv::skin
