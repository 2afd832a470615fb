#pragma once
// Where a number (0..100) is written into a tray icon. The layout is made for 16 x 16: one digit at x 4,
// two digits at x 1, both in "ＭＳ Ｐゴシック" 10 pt bold at y 1, and "100" in 7 pt at (-1, 2). Larger icons
// (the small-icon size of a scaled display) take the same layout scaled to their side, so the shell
// never has to stretch the drawing.
#include <string>

namespace qv::app {

inline constexpr int kBaseIconSize = 16;

struct IconNumberLayout {
    std::wstring text;
    int x = 0;
    int y = 0;
    bool small_font = false;  // 7 points instead of 10
    int font_height = 0;      // the font's character height in pixels (a negative LOGFONT height)
};

// `size`: the icon's side in pixels (kBaseIconSize and below take the 16-pixel layout as it is).
IconNumberLayout icon_number_layout(int number, int size = kBaseIconSize);

// The character height in pixels of a font of `points` drawn into an icon of `size`: at 16 pixels the
// points are taken at 96 pixels an inch (10 pt: 13 pixels, 7 pt: 9).
int icon_font_height(int points, int size);

} // namespace qv::app
