#include "skin/win32/skin_test_support.h"

#include <cstring>

#include "support/win32/files.h"

namespace qv::test {
namespace {

void Put16(std::string& s, std::size_t at, std::uint16_t v) { std::memcpy(&s[at], &v, 2); }
void Put32(std::string& s, std::size_t at, std::uint32_t v) { std::memcpy(&s[at], &v, 4); }

std::string Headers(int width, int height, int bits, std::size_t palette_entries, std::size_t image_size) {
    const std::size_t offset = 14 + 40 + palette_entries * 4;
    std::string file(offset + image_size, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    Put32(file, 10, static_cast<std::uint32_t>(offset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<std::uint32_t>(width));
    Put32(file, 22, static_cast<std::uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<std::uint16_t>(bits));
    Put32(file, 34, static_cast<std::uint32_t>(image_size));
    Put32(file, 46, static_cast<std::uint32_t>(palette_entries));
    return file;
}

} // namespace

std::string BmpFile(const skin::PixelBuffer& pixels) {
    const int w = pixels.Width(), h = pixels.Height();
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
    std::string file = Headers(w, h, 24, 0, stride * h);
    const std::size_t base = 14 + 40;
    for (int y = 0; y < h; ++y) {
        const std::size_t row = base + stride * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const skin::Pixel p = pixels.At(x, y);
            file[row + x * 3 + 0] = static_cast<char>(p & 0xFF);
            file[row + x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            file[row + x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
    }
    return file;
}

std::string PaletteBmpFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                           const std::vector<std::uint8_t>& indices) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    std::string file = Headers(width, height, bits, palette.size(), stride * height);
    for (std::size_t i = 0; i < palette.size(); ++i) Put32(file, 54 + i * 4, palette[i]);
    const std::size_t base = 54 + palette.size() * 4;
    const int per_byte = 8 / bits;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = base + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % per_byte + 1);
            auto& byte = reinterpret_cast<unsigned char&>(file[row + x / per_byte]);
            byte = static_cast<unsigned char>(byte | (indices[static_cast<std::size_t>(y) * width + x] << shift));
        }
    }
    return file;
}

void SaveForInspection(const skin::PixelBuffer& pixels, const std::wstring& name) {
    std::filesystem::path folder = environment_path(L"QV_ARTIFACTS");
    if (folder.empty()) {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder = temp;
    }
    try {
        std::filesystem::create_directories(folder);
        write_file(folder / name, BmpFile(pixels));
    } catch (...) {
        // A picture for people only; the test does not depend on it.
    }
}

} // namespace qv::test
