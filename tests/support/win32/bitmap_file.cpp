#include "support/win32/bitmap_file.h"

#include <cstdint>

namespace qv::test {

std::string bitmap_file(int width, int height, const std::function<COLORREF(int x, int y)>& color_at) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
    std::string bytes(54 + image, '\0');
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    // Rows bottom-up, as a bitmap with a positive height keeps them.
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const COLORREF color = color_at(x, y);
            const size_t at = 54 + static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 3;
            bytes[at] = static_cast<char>(GetBValue(color));
            bytes[at + 1] = static_cast<char>(GetGValue(color));
            bytes[at + 2] = static_cast<char>(GetRValue(color));
        }
    }
    return bytes;
}

std::string solid_bitmap(int width, int height, COLORREF color) {
    return bitmap_file(width, height, [color](int, int) { return color; });
}

std::string rle_bitmap_declaring(std::int32_t width, std::int32_t height) {
    std::string bytes;
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    bytes += "BM";
    put(offset + 2, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(8, 2);
    put(BI_RLE8, 4);
    put(2, 4);
    for (int i = 0; i < 4; ++i) put(0, 4);
    for (int i = 0; i < 256; ++i) put(static_cast<std::uint32_t>(i * 0x010101), 4);
    put(0x0100, 2);  // end of the bitmap
    return bytes;
}

} // namespace qv::test
