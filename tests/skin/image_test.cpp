#include "skin/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

namespace qv::skin {
namespace {

// A bitmap file: the file header, a 40-byte info header and `pixel_bytes` bytes of pixels.
std::vector<std::uint8_t> BitmapBytes(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                      std::uint32_t compression, std::size_t pixel_bytes) {
    std::vector<std::uint8_t> bytes(54 + pixel_bytes, 0x5A);
    auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, bits, 2);
    put(30, compression, 4);
    return bytes;
}

TEST(ReadBitmapFileHeaderTest, ReadsWhatTheHeadersDeclare) {
    // 3 pixels of 24 bits: rows of 9 bytes padded to 12.
    auto header = ReadBitmapFileHeader(BitmapBytes(3, 2, 24, 0, 24));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Width, 3);
    EXPECT_EQ(header->Height, 2);
    EXPECT_FALSE(header->TopDown);
    EXPECT_EQ(header->PixelOffset, 54u);
    EXPECT_EQ(header->Stride(), 12);

    header = ReadBitmapFileHeader(BitmapBytes(3, -2, 24, 0, 24));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Height, 2);
    EXPECT_TRUE(header->TopDown);

    // The old core header: 16-bit sizes.
    std::vector<std::uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 1, 0, 2, 1, 1, 0, 24, 0};
    core.resize(core.size() + 258 * 4, 0);
    header = ReadBitmapFileHeader(core);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Width, 1);
    EXPECT_EQ(header->Height, 258);
}

TEST(ReadBitmapFileHeaderTest, RefusesWhatTheFileCannotHoldOrTheProgramDoesNotRead) {
    // The last row may lack its padding (21 bytes), not a pixel (20).
    EXPECT_TRUE(ReadBitmapFileHeader(BitmapBytes(3, 2, 24, 0, 21)));
    EXPECT_FALSE(ReadBitmapFileHeader(BitmapBytes(3, 2, 24, 0, 20)));
    // The picture cap, judged on a tiny run-length file.
    EXPECT_FALSE(ReadBitmapFileHeader(BitmapBytes(4097, 4097, 8, 1, 16)));
    EXPECT_TRUE(ReadBitmapFileHeader(BitmapBytes(4096, 4096, 8, 1, 16)));

    const struct {
        const char* name;
        std::int32_t width, height;
        std::uint16_t bits;
        std::uint32_t compression;
    } refused[] = {
        {"depth 7", 2, 2, 7, 0},           {"run-length of 8 at 4 bits", 2, 2, 4, 1},
        {"top-down runs", 2, -2, 4, 2},   {"bit fields at 24 bits", 2, 2, 24, 3},
        {"embedded JPEG", 2, 2, 0, 4},     {"negative width", -2, 2, 24, 0},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(ReadBitmapFileHeader(BitmapBytes(c.width, c.height, c.bits, c.compression, 64))) << c.name;
    }

    // An offset of 0 stands for "after the headers": the rows are counted from there.
    auto no_offset = BitmapBytes(3, 2, 24, 0, 21);
    std::fill_n(no_offset.begin() + 10, 4, 0);
    EXPECT_TRUE(ReadBitmapFileHeader(no_offset));
    no_offset.pop_back();
    EXPECT_FALSE(ReadBitmapFileHeader(no_offset));

    auto past_the_end = BitmapBytes(1, 1, 8, 1, 4);
    past_the_end[10] = 0xFF;
    EXPECT_FALSE(ReadBitmapFileHeader(past_the_end));
    const auto file = BitmapBytes(1, 1, 24, 0, 4);
    EXPECT_FALSE(ReadBitmapFileHeader(std::span(file).first(20)));
}

TEST(ImageFromPaletteRowsTest, UnpacksIndicesAndColoursOfEachDepth) {
    Pixel palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = static_cast<Pixel>(i) * 0x010203;
    // Two rows of 4 bytes: at 4 bits a pixel the first nibble is the leftmost pixel.
    const std::uint8_t rows[] = {0x12, 0x3F, 0, 0, 0xA0, 0x00, 0, 0};
    const Image nibbles = ImageFromPaletteRows(rows, 4, 3, 2, 4, palette);
    ASSERT_EQ(nibbles.Width(), 3);
    EXPECT_EQ(nibbles.KeyAt(0, 0), 1u);
    EXPECT_EQ(nibbles.KeyAt(2, 0), 3u);
    EXPECT_EQ(nibbles.KeyAt(0, 1), 10u);
    EXPECT_EQ(nibbles.Pixels().At(1, 0), palette[2]);
    const Image bits = ImageFromPaletteRows(rows, 4, 9, 2, 1, palette);
    EXPECT_EQ(bits.KeyAt(3, 0), 1u);  // 0x12 = 0001 0010
    EXPECT_EQ(bits.KeyAt(6, 0), 1u);
    EXPECT_EQ(bits.KeyAt(7, 0), 0u);
    // Fewer rows than the height asks for, or rows narrower than the width.
    EXPECT_TRUE(ImageFromPaletteRows(rows, 4, 3, 3, 4, palette).Empty());
    EXPECT_TRUE(ImageFromPaletteRows(rows, 4, 9, 2, 4, palette).Empty());
}

} // namespace
} // namespace qv::skin
