#pragma once
// A rectangle of 32-bit pixels (0x00RRGGBB, see color.h), rows top to bottom. It either owns its
// memory or views memory that someone else owns (the bits of a DIB section), so GDI and the portable
// drawing code can work on the same pixels.
#include <cstdint>
#include <vector>

#include "skin/color.h"

namespace qv::skin {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A 64-bit result brought into the range of int (sizes and sums of coordinates from files).
constexpr int ClampToInt(std::int64_t value) {
    constexpr std::int64_t lo = -2147483647 - 1, hi = 2147483647;
    return static_cast<int>(value < lo ? lo : value > hi ? hi : value);
}

// Left and top inside, right and bottom outside, as in GDI.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Right and bottom stop at the range of int rather than wrap.
    static constexpr Rect FromSize(int x, int y, int width, int height) {
        return {x, y, ClampToInt(std::int64_t{x} + width), ClampToInt(std::int64_t{y} + height)};
    }
    // Every operation is defined for any four ints: results stop at the range of int rather than wrap.
    constexpr int Width() const { return ClampToInt(std::int64_t{right} - left); }
    constexpr int Height() const { return ClampToInt(std::int64_t{bottom} - top); }
    constexpr bool Empty() const { return right <= left || bottom <= top; }
    // 64-bit coordinates, so that a point moved by an offset can be tested before it is brought back to int.
    constexpr bool Contains(std::int64_t x, std::int64_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Rect Offset(std::int64_t dx, std::int64_t dy) const {
        return {ClampToInt(left + dx), ClampToInt(top + dy), ClampToInt(right + dx), ClampToInt(bottom + dy)};
    }
    constexpr Rect Intersect(const Rect& o) const {
        Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
               bottom < o.bottom ? bottom : o.bottom};
        return r.Empty() ? Rect{} : r;
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr Rect Union(const Rect& o) const {
        if (Empty()) return o;
        if (o.Empty()) return *this;
        return {left < o.left ? left : o.left, top < o.top ? top : o.top, right > o.right ? right : o.right,
                bottom > o.bottom ? bottom : o.bottom};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The most pixels an owned buffer holds (256 MiB). Sizes often come from files, and on the 32-bit build
// a larger product would wrap around and leave the buffer smaller than its rows.
inline constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;
// The most pixels a picture read from a file may have (bitmaps and JPEG alike): a window background has
// no use for more, and a forged header must not make the program allocate gigabytes.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{16} << 20;

class PixelBuffer {
public:
    PixelBuffer() = default;
    // An owned buffer; negative sizes count as 0, more than kMaxPixels pixels raise std::bad_alloc.
    PixelBuffer(int width, int height, Pixel fill = 0);
    // A view of `bits`: `height` rows of `stride` pixels, top row first. The memory must outlive the view.
    static PixelBuffer View(Pixel* bits, int width, int height, int stride);

    // Copying is explicit (Clone): a copied view would silently alias the same memory.
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    ~PixelBuffer() = default;

    // An owned copy of the pixels.
    PixelBuffer Clone() const;

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    Size Extent() const noexcept { return {width_, height_}; }
    Rect Bounds() const noexcept { return {0, 0, width_, height_}; }
    bool Empty() const noexcept { return width_ <= 0 || height_ <= 0; }

    Pixel* Row(int y) noexcept { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    const Pixel* Row(int y) const noexcept { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    // Unchecked access; (x, y) must lie in the buffer.
    Pixel At(int x, int y) const noexcept { return Row(y)[x]; }
    void Set(int x, int y, Pixel p) noexcept { Row(y)[x] = p; }

    // Owned buffers only: a new size, every pixel `fill`.
    void Reset(int width, int height, Pixel fill = 0);
    void Fill(Pixel p);

private:
    std::vector<Pixel> storage_;
    Pixel* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

} // namespace qv::skin
