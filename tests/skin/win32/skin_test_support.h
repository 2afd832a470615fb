#pragma once
// Helpers of the Win32 skin tests: running pending messages, Windows bitmap files made in memory, and
// pictures of a surface saved for a person to look at.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/pixel_buffer.h"

namespace qv::test {

// Dispatches every message waiting in this thread's queue (paints included).
inline void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A bottom-up BMP file: 24 bits a pixel from `pixels` (0x00RRGGBB), or with a palette of 2, 16 or 256
// entries and `indices` (one a pixel, rows top to bottom) at 1, 4 or 8 bits a pixel.
std::string BmpFile(const skin::PixelBuffer& pixels);
std::string PaletteBmpFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                           const std::vector<std::uint8_t>& indices);

// Saves a 24-bit BMP where the build keeps test pictures (QV_ARTIFACTS, or the temporary folder).
void SaveForInspection(const skin::PixelBuffer& pixels, const std::wstring& name);

} // namespace qv::test
