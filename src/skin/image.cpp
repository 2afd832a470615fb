#include "skin/image.h"

#include <algorithm>
#include <utility>

namespace qv::skin {

Image::Image(PixelBuffer pixels, Format format, std::vector<std::uint8_t> indices)
    : pixels_(std::move(pixels)),
      indices_(std::move(indices)),
      format_(format),
      width_(pixels_.Width()),
      height_(pixels_.Height()) {
    if (indices_.size() != static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) indices_.clear();
}

Image Image::Filled(int width, int height, Pixel color) {
    Image image(PixelBuffer(width, height, color));
    image.width_ = width < 0 ? 0 : width;
    image.height_ = height < 0 ? 0 : height;
    return image;
}

Image Image::Clone() const {
    Image copy(pixels_.Clone(), format_, indices_);
    copy.width_ = width_;
    copy.height_ = height_;
    return copy;
}

Image Enlarged(const Image& image, int factor) {
    const std::int64_t width = std::int64_t{image.Width()} * factor, height = std::int64_t{image.Height()} * factor;
    if (factor < 2 || image.Pixels().Empty() || !PictureSizeAllowed(width, height)) return image.Clone();
    PixelBuffer pixels(static_cast<int>(width), static_cast<int>(height));
    std::vector<std::uint8_t> indices;
    if (image.HasPalette()) indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
            pixels.Set(x, y, image.Pixels().At(x / factor, y / factor));
            if (!indices.empty()) {
                indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                    static_cast<std::uint8_t>(image.KeyAt(x / factor, y / factor));
            }
        }
    }
    return Image(std::move(pixels), image.PictureFormat(), std::move(indices));
}

std::optional<BitmapFileHeader> ReadBitmapFileHeader(std::span<const std::uint8_t> bytes) {
    auto word = [&](std::size_t at) { return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8); };
    auto dword = [&](std::size_t at) { return word(at) | word(at + 2) << 16; };
    // The file header (14 bytes) is followed by the info header, which starts with its own size.
    constexpr std::size_t kInfo = 14;
    if (bytes.size() < kInfo + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    BitmapFileHeader header;
    header.PixelOffset = dword(10);
    const std::uint32_t header_size = dword(kInfo);
    if (header_size == 12) {  // the old OS/2 core header: 16-bit sizes, no compression
        if (bytes.size() < kInfo + 12) return std::nullopt;
        header.Width = static_cast<int>(word(kInfo + 4));
        header.Height = static_cast<int>(word(kInfo + 6));
        header.BitCount = static_cast<int>(word(kInfo + 10));
    } else {
        // Shorter OS/2 headers stop after any field; the ones they leave out count as 0.
        if (header_size < 16 || bytes.size() < kInfo + 16) return std::nullopt;
        const std::size_t known = std::min<std::size_t>({header_size, 20, bytes.size() - kInfo});
        auto field = [&](std::size_t at) { return at + 4 <= known ? dword(kInfo + at) : 0; };
        const auto width = static_cast<std::int32_t>(dword(kInfo + 4));
        const auto height = static_cast<std::int32_t>(dword(kInfo + 8));
        if (width < 0 || height == INT32_MIN) return std::nullopt;
        header.Width = width;
        header.Height = height < 0 ? -height : height;
        header.TopDown = height < 0;
        header.BitCount = static_cast<int>(word(kInfo + 14));
        header.Compression = field(16);
    }
    switch (header.Compression) {
    case BitmapFileHeader::RGB:
        if (header.BitCount != 1 && header.BitCount != 4 && header.BitCount != 8 && header.BitCount != 16 &&
            header.BitCount != 24 && header.BitCount != 32) {
            return std::nullopt;
        }
        break;
    case BitmapFileHeader::RLE8:
    case BitmapFileHeader::RLE4:
        // Runs are always written bottom-up.
        if (header.BitCount != (header.Compression == BitmapFileHeader::RLE8 ? 8 : 4) || header.TopDown) {
            return std::nullopt;
        }
        break;
    case BitmapFileHeader::BitFields:
        if (header.BitCount != 16 && header.BitCount != 32) return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    // A file whose headers end past its end holds nothing; one that leaves the pixels' offset short of
    // them (0, say) has its pixels found after them by the system's loader.
    const std::uint64_t headers_end = std::uint64_t{kInfo} + header_size;
    if (headers_end > bytes.size()) return std::nullopt;
    if (header.PixelOffset < headers_end) header.PixelOffset = static_cast<std::uint32_t>(headers_end);
    if (!PictureSizeAllowed(header.Width, header.Height) || header.PixelOffset > bytes.size()) return std::nullopt;
    if (header.Compression == BitmapFileHeader::RGB || header.Compression == BitmapFileHeader::BitFields) {
        // The last row may go without its padding.
        const std::int64_t last_row = (std::int64_t{header.Width} * header.BitCount + 7) / 8;
        const std::int64_t needed = header.Height == 0 ? 0 : header.Stride() * (header.Height - 1) + last_row;
        if (needed > static_cast<std::int64_t>(bytes.size() - header.PixelOffset)) return std::nullopt;
    }
    return header;
}

Image ImageFromPaletteRows(std::span<const std::uint8_t> rows, std::size_t stride, int width, int height, int bits,
                           std::span<const Pixel, 256> palette) {
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 2 && bits != 4 && bits != 8)) return {};
    const std::size_t row_bytes = (static_cast<std::size_t>(width) * bits + 7) / 8;
    if (stride < row_bytes || rows.size() / stride < static_cast<std::size_t>(height)) return {};
    PixelBuffer pixels(width, height);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
    const int per_byte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rows.data() + stride * y;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % per_byte + 1);
            const auto index = static_cast<std::uint8_t>((row[x / per_byte] >> shift) & mask);
            indices[static_cast<std::size_t>(y) * width + x] = index;
            pixels.Set(x, y, palette[index]);
        }
    }
    return Image(std::move(pixels), Image::ifBitmap, std::move(indices));
}

} // namespace qv::skin
