#pragma once
// Windows bitmap files written by the tests (background pictures, skins): 24 bits a pixel.
#include <windows.h>

#include <functional>
#include <string>

namespace qv::test {

// The file's bytes; `color_at(x, y)` gives each pixel, (0, 0) the top-left one.
std::string bitmap_file(int width, int height, const std::function<COLORREF(int x, int y)>& color_at);
// A bitmap of one colour.
std::string solid_bitmap(int width, int height, COLORREF color);

} // namespace qv::test
