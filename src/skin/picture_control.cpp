#include "skin/picture_control.h"

#include <utility>

namespace qv::skin {

PictureControl::PictureControl() : GraphicControl(105, 105) {}

void PictureControl::SetPicture(Image picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void PictureControl::SetCenter(bool center) {
    if (center == center_) return;
    center_ = center;
    Invalidate();
}

void PictureControl::SetStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    Invalidate();
}

void PictureControl::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void PictureControl::SetTransparentKey(std::optional<Pixel> key) {
    key_ = key;
    Invalidate();
}

Rect PictureControl::PictureRect() const {
    if (stretch_) return ClientRect();
    const int w = picture_.Width(), h = picture_.Height();
    if (center_) return Rect::FromSize((Width() - w) / 2, (Height() - h) / 2, w, h);
    return {0, 0, w, h};
}

void PictureControl::Paint(PaintContext& pc) {
    const PixelBuffer& pixels = picture_.Pixels();
    if (pixels.Empty()) return;
    std::optional<Pixel> key;
    if (transparent_) key = key_ ? *key_ : picture_.BottomLeft();
    const Rect to = PictureRect();
    if (stretch_) {
        pc.canvas.Stretch(pixels, pixels.Bounds(), to, key);
    } else if (key) {
        pc.canvas.CopyKeyed(pixels, pixels.Bounds(), {to.left, to.top}, *key);
    } else {
        pc.canvas.Copy(pixels, {to.left, to.top});
    }
}

} // namespace qv::skin
