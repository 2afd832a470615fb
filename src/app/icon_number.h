#pragma once
// Where a number (0..100) is written into a 16 x 16 tray icon: one digit at x 4, two digits at x 1,
// and "100" in the small font at (-1, 2).
#include <string>

namespace qv::app {

struct IconNumberLayout {
    std::wstring text;
    int x = 0;
    int y = 0;
    bool small_font = false;  // 7 points instead of 10
};

IconNumberLayout icon_number_layout(int number);

} // namespace qv::app
