#pragma once
// Windows bitmap files written by the tests (background pictures, skins): 24 bits a pixel.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace qv::test {

// The file's bytes; `color_at(x, y)` gives each pixel, (0, 0) the top-left one.
std::string bitmap_file(int width, int height, const std::function<COLORREF(int x, int y)>& color_at);
// A bitmap of one colour.
std::string solid_bitmap(int width, int height, COLORREF color);
// A run-length bitmap of 256 colours that declares `width` x `height` pixels and ends at once: a
// kilobyte that asks for the whole picture's memory.
std::string rle_bitmap_declaring(std::int32_t width, std::int32_t height);

} // namespace qv::test
