#pragma once
// A picture of the whole virtual screen, for a person to look at (saved as a 24-bit BMP) and for tests
// that check what was drawn.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qv::test {

class ScreenCapture {
public:
    // Copies the screen now; an empty capture when the system refuses.
    static ScreenCapture take();
    // Copies only this rectangle of the screen (screen coordinates; cheaper when taken over and over).
    static ScreenCapture take(const RECT& area);

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    bool empty() const noexcept { return pixels_.empty(); }
    // The colour at a point in screen coordinates (0x00BBGGRR, as COLORREF); CLR_INVALID outside.
    COLORREF pixel(int screen_x, int screen_y) const noexcept;
    // How many different colours the screen rectangle holds, and how many of its pixels have `color`
    // (both clipped to the capture).
    size_t distinct_colors(const RECT& area) const;
    size_t count_pixels(const RECT& area, COLORREF color) const;
    // The colours of a screen rectangle row by row (CLR_INVALID outside the capture), to compare two
    // pictures of the same place.
    std::vector<COLORREF> pixels(const RECT& area) const;

    // Writes a bottom-up 24-bit BMP (creating the folder); false when it cannot.
    bool save_bmp(const std::filesystem::path& file) const;

private:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    size_t stride_ = 0;                // bytes per row, padded to four
    std::vector<std::uint8_t> pixels_;  // BGR rows, bottom row first, as in the file
};

} // namespace qv::test
