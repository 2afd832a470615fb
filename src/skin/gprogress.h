#pragma once
// TGProgress: the progress bar of skins. Blocks of 8 pixels with 2-pixel gaps (or one solid bar), each
// block a step of a gradient from skin::Color to ColorEnd, inside a two-colour frame. A rising position only
// adds blocks over the existing picture; a falling one redraws the whole control.
#include <cstdint>

#include "skin/graphic_control.h"

namespace qv::skin {

class TGProgress : public GraphicControl {
public:
    TGProgress();

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool transparent);
    bool GradientBar() const noexcept { return gradient_bar_; }
    void SetGradientBar(bool gradient);
    skin::Color FrameColor1() const noexcept { return frame_color1_; }
    void SetFrameColor1(skin::Color color);
    skin::Color FrameColor2() const noexcept { return frame_color2_; }
    void SetFrameColor2(skin::Color color);
    skin::Color BackgroundColor() const noexcept { return background_color_; }
    void SetBackgroundColor(skin::Color color);
    skin::Color ColorEnd() const noexcept { return color_end_; }
    void SetColorEnd(skin::Color color);
    bool Solid() const noexcept { return solid_; }
    void SetSolid(bool solid);
    skin::Color Color() const noexcept { return color_; }
    void SetColor(skin::Color color);

    // A negative value shows "Value must be between 0 and 2147483647" and keeps the old one.
    std::int64_t Step() const noexcept { return step_; }
    void SetStep(std::int64_t value);
    std::int64_t Min() const noexcept { return min_; }
    void SetMin(std::int64_t value);
    std::int64_t Max() const noexcept { return max_; }
    void SetMax(std::int64_t value);
    std::int64_t Position() const noexcept { return position_; }
    // Clamped into [Min, Max].
    void SetPosition(std::int64_t value);

    // Blocks 0 ... LastBlock() are drawn; -1: none.
    std::int64_t LastBlock() const;
    // The fill colour of block `index`, as a pixel.
    Pixel BlockColor(std::int64_t index, const SystemColors& colors) const;

    void Paint(PaintContext& pc) override;
    bool Opaque() const override { return !transparent_; }
    // With blocks pending from a rising position, draws only them; otherwise the full paint.
    void Repaint() override;

private:
    bool AcceptRangeValue(std::int64_t value);
    void KeepPositionInRange();
    void DrawBlocks(PaintContext& pc);
    void DrawBlock(PaintContext& pc, std::int64_t index);

    bool transparent_ = false;
    bool gradient_bar_ = true;
    skin::Color frame_color1_ = clBtnShadow;
    skin::Color frame_color2_ = clBtnHighlight;
    skin::Color background_color_ = clBtnFace;
    std::int64_t step_ = 10;
    std::int64_t min_ = 0;
    std::int64_t max_ = 100;
    std::int64_t position_ = 0;
    skin::Color color_end_ = clBtnFace;
    bool solid_ = false;
    skin::Color color_ = clHighlight;

    std::int64_t LastPosition = 0;
    bool PartialPending = false;
};

} // namespace qv::skin
