#include "skin/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace qv::skin {

Canvas::Canvas(PixelBuffer& target) : target_(&target), origin_{0, 0}, clip_(target.Bounds()) {}

Canvas::Canvas(PixelBuffer& target, Point origin, Rect clip)
    : target_(&target), origin_(origin), clip_(clip.Intersect(target.Bounds())) {}

Canvas Canvas::Sub(const Rect& area) const {
    const Rect in_target = area.Offset(origin_.x, origin_.y);
    return Canvas(*target_, {in_target.left, in_target.top}, in_target.Intersect(clip_));
}

Canvas Canvas::Clipped(const Rect& area) const { return Canvas(*target_, origin_, ToTarget(area)); }

// Own coordinates and the origin may each take any int; their sum is tested in 64 bits.
std::optional<Pixel> Canvas::PixelAt(int x, int y) const {
    const std::int64_t tx = std::int64_t{x} + origin_.x, ty = std::int64_t{y} + origin_.y;
    if (!clip_.Contains(tx, ty)) return std::nullopt;
    return target_->At(static_cast<int>(tx), static_cast<int>(ty));
}

void Canvas::SetPixel(int x, int y, Pixel p) {
    const std::int64_t tx = std::int64_t{x} + origin_.x, ty = std::int64_t{y} + origin_.y;
    if (clip_.Contains(tx, ty)) target_->Set(static_cast<int>(tx), static_cast<int>(ty), p);
}

void Canvas::FillRect(const Rect& r, Pixel p) {
    const Rect t = ToTarget(r);
    for (int y = t.top; y < t.bottom; ++y) std::fill(target_->Row(y) + t.left, target_->Row(y) + t.right, p);
}

void Canvas::FrameRect(const Rect& r, Pixel p) {
    if (r.Empty()) return;
    FillRect({r.left, r.top, r.right, r.top + 1}, p);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, p);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, p);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, p);
}

void Canvas::Rectangle(const Rect& r, std::optional<Pixel> pen, std::optional<Pixel> brush) {
    if (pen) {
        if (brush) FillRect(r, *brush);
        FrameRect(r, *pen);
    } else if (brush && !r.Empty()) {
        FillRect({r.left, r.top, r.right - 1, r.bottom - 1}, *brush);
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Pixel p) {
    // 64 bits: the distance between two ints, and twice the error, may exceed the range of int.
    const std::int64_t dx = std::abs(std::int64_t{x1} - x0), dy = -std::abs(std::int64_t{y1} - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    std::int64_t err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        SetPixel(x, y, p);
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Canvas::Polyline(std::span<const Point> points, Pixel p) {
    for (std::size_t i = 1; i < points.size(); ++i) Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, p);
}

template <typename Inside>
void Canvas::Shape(const Rect& box, Inside inside, std::optional<Pixel> pen, std::optional<Pixel> brush) {
    const Rect area = box.Intersect(ClipRect());
    // 64 bits: the neighbours of a pixel at the edge of the int range are tested too.
    for (std::int64_t y = area.top; y < area.bottom; ++y) {
        for (std::int64_t x = area.left; x < area.right; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge && pen) {
                SetPixel(static_cast<int>(x), static_cast<int>(y), *pen);
            } else if (brush) {
                SetPixel(static_cast<int>(x), static_cast<int>(y), *brush);
            }
        }
    }
}

namespace {

struct EllipseShape {
    double cx, cy, rx, ry;
    // In double: sums and differences of edges may exceed the range of int.
    explicit EllipseShape(const Rect& box)
        : cx((double(box.left) + box.right) / 2),
          cy((double(box.top) + box.bottom) / 2),
          rx((double(box.right) - box.left) / 2),
          ry((double(box.bottom) - box.top) / 2) {}
    // Pixel centres inside the ellipse.
    bool Inside(double x, double y) const {
        if (rx <= 0 || ry <= 0) return false;
        const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
        return u * u + v * v <= 1.0 + 1e-9;
    }
    // Counter-clockwise on screen, y growing downward.
    double Angle(double x, double y) const { return std::atan2(cy - y, x - cx); }
};

double SweepFrom(double from, double to) {
    constexpr double turn = 2 * std::numbers::pi;
    double d = std::fmod(to - from, turn);
    if (d < 0) d += turn;
    return d;
}

} // namespace

void Canvas::Ellipse(const Rect& box, std::optional<Pixel> pen, std::optional<Pixel> brush) {
    const EllipseShape e(box);
    Shape(box, [&](double x, double y) { return e.Inside(x, y); }, pen, brush);
}

void Canvas::Pie(const Rect& box, Point start, Point end, std::optional<Pixel> pen, std::optional<Pixel> brush) {
    const EllipseShape e(box);
    const double from = e.Angle(start.x, start.y);
    double sweep = SweepFrom(from, e.Angle(end.x, end.y));
    if (sweep == 0) sweep = 2 * std::numbers::pi;
    Shape(
        box,
        [&](double x, double y) { return e.Inside(x, y) && SweepFrom(from, e.Angle(x + 0.5, y + 0.5)) <= sweep + 1e-9; },
        pen, brush);
}

template <typename Op>
void Canvas::Blit(const PixelBuffer& src, const Rect& from, Point to, std::optional<Rect> limit, Op op) {
    // Keep the source rectangle inside the source, moving the destination with it.
    const Rect source = from.Intersect(src.Bounds());
    if (source.Empty()) return;
    // Where the source's first pixel lands, in 64 bits: `from` may start far outside the source. Clamping
    // the destination to int only cuts off pixels that no canvas can reach.
    const std::int64_t x0 = std::int64_t{to.x} + source.left - from.left;
    const std::int64_t y0 = std::int64_t{to.y} + source.top - from.top;
    Rect dest{ClampToInt(x0), ClampToInt(y0), ClampToInt(x0 + source.Width()), ClampToInt(y0 + source.Height())};
    if (limit) dest = dest.Intersect(*limit);
    const Rect t = ToTarget(dest);
    if (t.Empty()) return;
    const auto sx0 = static_cast<int>(source.left + (std::int64_t{t.left} - origin_.x - x0));
    const auto sy0 = static_cast<int>(source.top + (std::int64_t{t.top} - origin_.y - y0));
    for (int y = t.top; y < t.bottom; ++y) {
        const Pixel* s = src.Row(sy0 + (y - t.top)) + sx0;
        Pixel* d = target_->Row(y) + t.left;
        for (int x = 0; x < t.Width(); ++x) op(d[x], s[x]);
    }
}

void Canvas::Copy(const PixelBuffer& src, const Rect& from, Point to) {
    Blit(src, from, to, std::nullopt, [](Pixel& d, Pixel s) { d = s; });
}

void Canvas::CopyKeyed(const PixelBuffer& src, const Rect& from, Point to, Pixel key) {
    Blit(src, from, to, std::nullopt, [key](Pixel& d, Pixel s) {
        if (s != key) d = s;
    });
}

void Canvas::Xor(const PixelBuffer& src, const Rect& from, Point to) {
    Blit(src, from, to, std::nullopt, [](Pixel& d, Pixel s) { d ^= s; });
}

void Canvas::Stretch(const PixelBuffer& src, const Rect& from, const Rect& to, std::optional<Pixel> key) {
    if (from.Empty() || to.Empty()) return;
    const Rect t = ToTarget(to);
    // Rectangles anywhere in the int range span up to 2^32: an offset inside `to` (never negative) times a
    // size of `from` needs 64 bits without a sign.
    auto scale = [](std::int64_t offset, int from_low, int from_high, int to_low, int to_high) {
        const auto from_size = static_cast<std::uint64_t>(std::int64_t{from_high} - from_low);
        const auto to_size = static_cast<std::uint64_t>(std::int64_t{to_high} - to_low);
        return from_low + static_cast<std::int64_t>(static_cast<std::uint64_t>(offset) * from_size / to_size);
    };
    for (int y = t.top; y < t.bottom; ++y) {
        const std::int64_t sy = scale(std::int64_t{y} - origin_.y - to.top, from.top, from.bottom, to.top, to.bottom);
        if (sy < 0 || sy >= src.Height()) continue;
        for (int x = t.left; x < t.right; ++x) {
            const std::int64_t sx =
                scale(std::int64_t{x} - origin_.x - to.left, from.left, from.right, to.left, to.right);
            if (sx < 0 || sx >= src.Width()) continue;
            const Pixel s = src.At(static_cast<int>(sx), static_cast<int>(sy));
            if (!key || s != *key) target_->Set(x, y, s);
        }
    }
}

namespace {

unsigned Blend(unsigned dest, unsigned color, unsigned coverage) {
    return (dest * (255 - coverage) + color * coverage + 127) / 255;
}

} // namespace

void Canvas::DrawMask(const PixelBuffer& mask, Point at, Pixel color, std::optional<Rect> limit) {
    Blit(mask, mask.Bounds(), at, limit, [color](Pixel& d, Pixel m) {
        if (m == 0) return;
        if ((m & 0xFFFFFF) == 0xFFFFFF) {
            d = color;
            return;
        }
        Pixel out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            out |= Blend((d >> shift) & 0xFF, (color >> shift) & 0xFF, (m >> shift) & 0xFF) << shift;
        }
        d = out;
    });
}

void Canvas::XorMask(const PixelBuffer& mask, Point at, std::optional<Rect> limit) {
    Blit(mask, mask.Bounds(), at, limit, [](Pixel& d, Pixel m) { d ^= m & 0xFFFFFF; });
}

} // namespace qv::skin
