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

std::optional<Pixel> Canvas::PixelAt(int x, int y) const {
    const int tx = x + origin_.x, ty = y + origin_.y;
    if (!clip_.Contains(tx, ty)) return std::nullopt;
    return target_->At(tx, ty);
}

void Canvas::SetPixel(int x, int y, Pixel p) {
    const int tx = x + origin_.x, ty = y + origin_.y;
    if (clip_.Contains(tx, ty)) target_->Set(tx, ty, p);
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
    } else if (brush) {
        FillRect({r.left, r.top, r.right - 1, r.bottom - 1}, *brush);
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Pixel p) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        SetPixel(x, y, p);
        const int e2 = 2 * err;
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
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge && pen) {
                SetPixel(x, y, *pen);
            } else if (brush) {
                SetPixel(x, y, *brush);
            }
        }
    }
}

namespace {

struct EllipseShape {
    double cx, cy, rx, ry;
    explicit EllipseShape(const Rect& box)
        : cx((box.left + box.right) / 2.0),
          cy((box.top + box.bottom) / 2.0),
          rx(box.Width() / 2.0),
          ry(box.Height() / 2.0) {}
    // Pixel centres inside the ellipse.
    bool Inside(int x, int y) const {
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
    Shape(box, [&](int x, int y) { return e.Inside(x, y); }, pen, brush);
}

void Canvas::Pie(const Rect& box, Point start, Point end, std::optional<Pixel> pen, std::optional<Pixel> brush) {
    const EllipseShape e(box);
    const double from = e.Angle(start.x, start.y);
    double sweep = SweepFrom(from, e.Angle(end.x, end.y));
    if (sweep == 0) sweep = 2 * std::numbers::pi;
    Shape(
        box,
        [&](int x, int y) { return e.Inside(x, y) && SweepFrom(from, e.Angle(x + 0.5, y + 0.5)) <= sweep + 1e-9; },
        pen, brush);
}

template <typename Op>
void Canvas::Blit(const PixelBuffer& src, const Rect& from, Point to, std::optional<Rect> limit, Op op) {
    // Keep the source rectangle inside the source, moving the destination with it.
    const Rect source = from.Intersect(src.Bounds());
    if (source.Empty()) return;
    to.x += source.left - from.left;
    to.y += source.top - from.top;
    Rect dest = Rect::FromSize(to.x, to.y, source.Width(), source.Height());
    if (limit) dest = dest.Intersect(*limit);
    const Rect t = ToTarget(dest);
    const int sx0 = source.left + (t.left - origin_.x - to.x);
    const int sy0 = source.top + (t.top - origin_.y - to.y);
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
    for (int y = t.top; y < t.bottom; ++y) {
        const int dy = y - origin_.y - to.top;
        const int sy = from.top + static_cast<int>(static_cast<long long>(dy) * from.Height() / to.Height());
        if (sy < 0 || sy >= src.Height()) continue;
        for (int x = t.left; x < t.right; ++x) {
            const int dx = x - origin_.x - to.left;
            const int sx = from.left + static_cast<int>(static_cast<long long>(dx) * from.Width() / to.Width());
            if (sx < 0 || sx >= src.Width()) continue;
            const Pixel s = src.At(sx, sy);
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
