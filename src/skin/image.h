#pragma once
// A picture as loaded from a file (win32/picture_file.h) or made in memory: its colours for drawing,
// and for pictures that had a palette (1, 4 or 8 bits a pixel) the palette index of every pixel, which
// is what the button shapes compare (two palette entries of one colour are still different pixels).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "skin/pixel_buffer.h"

namespace qv::skin {

class Image {
public:
    enum Format { ifNone, ifBitmap, ifJpeg };

    Image() = default;
    // `indices`: empty, or one palette index a pixel, rows top to bottom.
    explicit Image(PixelBuffer pixels, Format format = ifBitmap, std::vector<std::uint8_t> indices = {});
    // A bitmap of one colour; a zero width or height gives a picture without pixels that is still set.
    static Image Filled(int width, int height, Pixel color);

    Image(Image&&) noexcept = default;
    Image& operator=(Image&&) noexcept = default;
    Image Clone() const;

    // No picture set at all.
    bool Empty() const noexcept { return format_ == ifNone; }
    Format PictureFormat() const noexcept { return format_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    const PixelBuffer& Pixels() const noexcept { return pixels_; }
    bool HasPalette() const noexcept { return !indices_.empty(); }
    // What shape scans compare: the palette index, or else the colour.
    std::uint32_t KeyAt(int x, int y) const {
        return indices_.empty() ? pixels_.At(x, y) : indices_[static_cast<std::size_t>(y) * width_ + x];
    }
    // The colour of the first pixel of the last row (0 without pixels).
    Pixel BottomLeft() const { return pixels_.Empty() ? 0 : pixels_.At(0, pixels_.Height() - 1); }

private:
    PixelBuffer pixels_;
    std::vector<std::uint8_t> indices_;
    Format format_ = ifNone;
    int width_ = 0;
    int height_ = 0;
};

// The picture with every pixel made a `factor` x `factor` block (a skin on a display of a whole multiple
// of 96 pixels an inch keeps its pixels sharp that way). A factor below 2, or an enlarged size that no
// picture may have, gives an unchanged copy.
Image Enlarged(const Image& image, int factor);

// What the headers of a Windows bitmap file say, read and checked before the system's loader sees the
// file: its pixels' memory is judged from them, and a file that cannot hold what they declare is refused.
struct BitmapFileHeader {
    enum Compression : std::uint32_t { RGB = 0, RLE8 = 1, RLE4 = 2, BitFields = 3 };
    int Width = 0;
    int Height = 0;  // a top-down bitmap's counted positive
    bool TopDown = false;
    int BitCount = 0;  // 1, 4, 8, 16, 24 or 32
    std::uint32_t Compression = RGB;
    std::uint32_t PixelOffset = 0;  // where the pixels start, from the file's first byte; never inside the headers

    // Bytes of one row of uncompressed pixels, padded to four.
    std::int64_t Stride() const { return (std::int64_t{Width} * BitCount + 31) / 32 * 4; }
};

// Nothing when the bytes are no Windows bitmap this program reads: no "BM" and header, a depth or a
// compression that is none of the above (or does not go with its depth), a top-down run-length bitmap,
// more than kMaxPicturePixels, headers or pixels that start past the end, or uncompressed rows that end
// past it.
std::optional<BitmapFileHeader> ReadBitmapFileHeader(std::span<const std::uint8_t> bytes);

// The picture of uncompressed palette rows (1, 2, 4 or 8 bits a pixel, the top row first, each `stride`
// bytes): every pixel's palette index and its colour from `palette`. An empty image when the rows are
// fewer than width and height need.
Image ImageFromPaletteRows(std::span<const std::uint8_t> rows, std::size_t stride, int width, int height, int bits,
                           std::span<const Pixel, 256> palette);

// Whether a picture of this size may be read from a file at all (at most kMaxPicturePixels).
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width >= 0 && height >= 0 && width * height <= kMaxPicturePixels;
}

} // namespace qv::skin
