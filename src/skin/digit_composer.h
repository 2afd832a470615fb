#pragma once
// The pictures of a skin's digit fields: a number drawn with the skin's digit pictures (0.bmp .. 9.bmp)
// into three cells, aligned left, centred or right. Numbers of more than three digits lose the digits
// that fall outside the cells.
#include <functional>
#include <optional>
#include <vector>

#include "skin/image.h"
#include "skin/skin_description.h"

namespace qv::skin {

struct DigitPictures {
    std::vector<Image> Digits;  // 0, 1, ... as far as they could be loaded
    int CellWidth = 0;
    int CellHeight = 0;
};

// The digit pictures 0, 1, ... as far as `load` gives them: the first failure of any kind ends the
// list, as a missing picture does, and the cells take the size of the last picture loaded.
DigitPictures LoadDigitPictures(const std::function<Image(int digit)>& load);

// Where the digit at `position` (1-based) of a `length`-digit number starts, for cells `cell_width`
// wide; nothing for DigitAlign::None. Centred numbers are offset by half the free cells, a half pixel
// going to the even neighbour.
std::optional<int> DigitOffset(DigitAlign align, int position, int length, int cell_width);

// Three cells filled with `transparent`, each digit's picture copied over its cell. A digit without a
// picture (and a minus sign) leaves its cell see-through.
Image ComposeDigits(long long number, const DigitPictures& pictures, DigitAlign align, Color transparent);

} // namespace qv::skin
