#include "app/icon_number.h"

namespace qv::app {
namespace {

// value * size / 16, the nearest whole pixel, halves away from zero (as MulDiv rounds).
int scale_icon_position(int value, int size) {
    const int product = value * size;
    const int half = kBaseIconSize / 2;
    return product >= 0 ? (product + half) / kBaseIconSize : -((-product + half) / kBaseIconSize);
}

} // namespace

int icon_font_height(int points, int size) {
    // points * (96 * size / 16) / 72, rounded to the nearest.
    const int scaled = points * 6 * (size < kBaseIconSize ? kBaseIconSize : size);
    return (scaled + 36) / 72;
}

IconNumberLayout icon_number_layout(int number, int size) {
    if (size < kBaseIconSize) size = kBaseIconSize;
    IconNumberLayout layout;
    if (number == 100) layout = {L"100", -1, 2, true, 0};
    else layout = {std::to_wstring(number), number < 10 ? 4 : 1, 1, false, 0};
    layout.x = scale_icon_position(layout.x, size);
    layout.y = scale_icon_position(layout.y, size);
    layout.font_height = icon_font_height(layout.small_font ? 7 : 10, size);
    return layout;
}

} // namespace qv::app
