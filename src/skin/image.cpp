#include "skin/image.h"

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

std::optional<Size> BitmapFileExtent(std::span<const std::uint8_t> bytes) {
    auto word = [&](std::size_t at) { return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8); };
    auto dword = [&](std::size_t at) { return word(at) | word(at + 2) << 16; };
    // The file header (14 bytes) is followed by the info header, which starts with its own size.
    constexpr std::size_t kInfo = 14;
    if (bytes.size() < kInfo + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t header_size = dword(kInfo);
    if (header_size == 12) {  // the old OS/2 core header: 16-bit sizes
        if (bytes.size() < kInfo + 8) return std::nullopt;
        return Size{static_cast<int>(word(kInfo + 4)), static_cast<int>(word(kInfo + 6))};
    }
    if (header_size < 16 || bytes.size() < kInfo + 12) return std::nullopt;
    const auto width = static_cast<std::int32_t>(dword(kInfo + 4));
    const auto height = static_cast<std::int32_t>(dword(kInfo + 8));
    if (width < 0 || height == INT32_MIN) return std::nullopt;
    return Size{width, height < 0 ? -height : height};
}

} // namespace qv::skin
