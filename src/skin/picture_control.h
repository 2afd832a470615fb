#pragma once
// A control showing a picture: at its top-left corner, centred, or stretched over the control; with
// Transparent, pixels of the transparent colour (by default the picture's bottom-left pixel) let what
// lies beneath show. The background picture of the window (TFormRgn) and the skins' digit fields (DigitField).
#include <optional>

#include "skin/graphic_control.h"
#include "skin/image.h"

namespace qv::skin {

class PictureControl : public GraphicControl {
public:
    PictureControl();

    const Image& Picture() const noexcept { return picture_; }
    void SetPicture(Image picture);
    bool Center() const noexcept { return center_; }
    void SetCenter(bool center);
    bool Stretch() const noexcept { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool transparent);
    // The see-through colour while Transparent; none: the picture's bottom-left pixel.
    std::optional<Pixel> TransparentKey() const noexcept { return key_; }
    void SetTransparentKey(std::optional<Pixel> key);

    // Where the picture lands, in control coordinates.
    Rect PictureRect() const;

    void Paint(PaintContext& pc) override;

private:
    Image picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    std::optional<Pixel> key_;
};

} // namespace qv::skin
