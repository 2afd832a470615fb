#pragma once
// Drawing on a PixelBuffer through a window onto it: an origin (where the drawing's (0, 0) lies in the
// buffer) and a clip rectangle (which pixels of the buffer may change). Controls draw in their own
// coordinates on a canvas the host hands them; every operation is clipped, so no drawing leaves its
// control. Coordinates follow GDI: rectangles exclude their right and bottom edges, lines their end point.
#include <optional>
#include <span>

#include "skin/pixel_buffer.h"

namespace qv::skin {

class Canvas {
public:
    // The whole buffer, origin at its top-left pixel.
    explicit Canvas(PixelBuffer& target);
    // `clip` in the buffer's coordinates; it is kept inside the buffer.
    Canvas(PixelBuffer& target, Point origin, Rect clip);

    // A canvas whose (0, 0) is `area`'s top-left corner, clipped to `area` as well.
    Canvas Sub(const Rect& area) const;
    // The same canvas, further clipped to `area` (own coordinates).
    Canvas Clipped(const Rect& area) const;
    // The clip in own coordinates.
    Rect ClipRect() const { return clip_.Offset(-std::int64_t{origin_.x}, -std::int64_t{origin_.y}); }
    PixelBuffer& Target() const { return *target_; }
    Point Origin() const { return origin_; }

    // Pixels outside the clip read as nothing.
    std::optional<Pixel> PixelAt(int x, int y) const;
    void SetPixel(int x, int y, Pixel p);

    void FillRect(const Rect& r, Pixel p);
    // A one-pixel outline just inside `r` (GDI's FrameRect).
    void FrameRect(const Rect& r, Pixel p);
    // GDI's Rectangle with a one-pixel pen: with a pen, outline and fill cover `r`; without one, the fill
    // is one pixel smaller on the right and at the bottom.
    void Rectangle(const Rect& r, std::optional<Pixel> pen, std::optional<Pixel> brush);
    // From (x0, y0) to (x1, y1), the end point left out.
    void Line(int x0, int y0, int x1, int y1, Pixel p);
    void Polyline(std::span<const Point> points, Pixel p);
    // The ellipse inscribed in `box`, as Rectangle fills and outlines.
    void Ellipse(const Rect& box, std::optional<Pixel> pen, std::optional<Pixel> brush);
    // The part of that ellipse swept counter-clockwise (as seen on screen) from the ray through `start` to
    // the ray through `end`; equal rays give the whole ellipse.
    void Pie(const Rect& box, Point start, Point end, std::optional<Pixel> pen, std::optional<Pixel> brush);

    // Copies `from` (source coordinates) so that its top-left lands at `to`.
    void Copy(const PixelBuffer& src, const Rect& from, Point to);
    void Copy(const PixelBuffer& src, Point to) { Copy(src, src.Bounds(), to); }
    // As Copy, leaving out every source pixel equal to `key`.
    void CopyKeyed(const PixelBuffer& src, const Rect& from, Point to, Pixel key);
    // Exclusive-or of the source into the canvas (SRCINVERT).
    void Xor(const PixelBuffer& src, const Rect& from, Point to);
    // Nearest-neighbour scaling of `from` onto `to`; with a key, pixels equal to it are left out.
    void Stretch(const PixelBuffer& src, const Rect& from, const Rect& to, std::optional<Pixel> key = std::nullopt);

    // Text from a coverage mask (white text on black, per channel 0..255) in `color`, blended by coverage;
    // only inside `limit` (own coordinates) when given.
    void DrawMask(const PixelBuffer& mask, Point at, Pixel color, std::optional<Rect> limit = std::nullopt);
    // The mask itself combined by exclusive-or.
    void XorMask(const PixelBuffer& mask, Point at, std::optional<Rect> limit = std::nullopt);

private:
    // `r` (own coordinates) in buffer coordinates, clipped.
    Rect ToTarget(const Rect& r) const { return r.Offset(origin_.x, origin_.y).Intersect(clip_); }
    template <typename Op>
    void Blit(const PixelBuffer& src, const Rect& from, Point to, std::optional<Rect> limit, Op op);
    template <typename Inside>
    void Shape(const Rect& box, Inside inside, std::optional<Pixel> pen, std::optional<Pixel> brush);

    PixelBuffer* target_;
    Point origin_;
    Rect clip_;
};

} // namespace qv::skin
