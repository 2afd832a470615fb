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

} // namespace qv::skin
