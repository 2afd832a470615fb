#include "skin/pixel_buffer.h"

#include <algorithm>
#include <new>
#include <utility>

namespace qv::skin {

PixelBuffer::PixelBuffer(int width, int height, Pixel fill) { Reset(width, height, fill); }

PixelBuffer PixelBuffer::View(Pixel* bits, int width, int height, int stride) {
    PixelBuffer view;
    view.bits_ = bits;
    view.width_ = std::max(width, 0);
    view.height_ = std::max(height, 0);
    view.stride_ = stride;
    return view;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept { *this = std::move(other); }

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    if (this == &other) return *this;
    const bool owned = !other.storage_.empty();
    storage_ = std::move(other.storage_);
    // Moving a vector keeps its memory, so an owned buffer's pointer stays valid.
    bits_ = owned ? storage_.data() : other.bits_;
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
    other.bits_ = nullptr;
    other.storage_.clear();
    return *this;
}

PixelBuffer PixelBuffer::Clone() const {
    PixelBuffer copy(width_, height_);
    for (int y = 0; y < height_; ++y) std::copy_n(Row(y), width_, copy.Row(y));
    return copy;
}

void PixelBuffer::Reset(int width, int height, Pixel fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (std::int64_t{width} * height > kMaxPixels) throw std::bad_alloc();
    width_ = width;
    height_ = height;
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    stride_ = width_;
    storage_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
    bits_ = storage_.data();
}

void PixelBuffer::Fill(Pixel p) {
    for (int y = 0; y < height_; ++y) std::fill_n(Row(y), width_, p);
}

} // namespace qv::skin
