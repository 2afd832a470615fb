#include "skin/gprogress.h"

#include <algorithm>

#include "skin/arithmetic.h"

namespace qv::skin {

TGProgress::TGProgress() : GraphicControl(150, 16) {}

void TGProgress::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TGProgress::SetGradientBar(bool gradient) {
    gradient_bar_ = gradient;
    Invalidate();
}

void TGProgress::SetFrameColor1(skin::Color color) {
    frame_color1_ = color;
    Invalidate();
}

void TGProgress::SetFrameColor2(skin::Color color) {
    frame_color2_ = color;
    Invalidate();
}

void TGProgress::SetBackgroundColor(skin::Color color) {
    background_color_ = color;
    Invalidate();
}

void TGProgress::SetColorEnd(skin::Color color) {
    color_end_ = color;
    Invalidate();
}

void TGProgress::SetSolid(bool solid) {
    solid_ = solid;
    Invalidate();
}

void TGProgress::SetColor(skin::Color color) {
    color_ = color;
    Invalidate();
}

bool TGProgress::AcceptRangeValue(std::int64_t value) {
    if (value >= 0) return true;
    if (Parent()) Parent()->ShowError(L"Value must be between 0 and 2147483647");
    return false;
}

void TGProgress::SetStep(std::int64_t value) {
    if (AcceptRangeValue(value)) step_ = value;
}

void TGProgress::KeepPositionInRange() {
    if (position_ < min_ || position_ > max_) SetPosition(position_);
    // Blocks of the old range may lie where the new range has none: only a full paint is right here.
    PartialPending = false;
    Repaint();
}

void TGProgress::SetMin(std::int64_t value) {
    if (AcceptRangeValue(value)) min_ = value;
    KeepPositionInRange();
}

void TGProgress::SetMax(std::int64_t value) {
    if (AcceptRangeValue(value)) max_ = value;
    KeepPositionInRange();
}

void TGProgress::SetPosition(std::int64_t value) {
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    position_ = value;
    if (position_ < LastPosition) {
        Invalidate();
    } else {
        PartialPending = true;
        Repaint();
    }
    LastPosition = position_;
}

std::int64_t TGProgress::LastBlock() const {
    const std::int64_t range = max_ - min_;
    if (range == 0) return -1;
    // Beyond 64 bits (an upside-down range of extreme values) the 4 pixels make no difference.
    std::int64_t scaled = 0;
    const bool beyond = __builtin_mul_overflow(position_ - min_, std::int64_t{Width()}, &scaled) ||
                        __builtin_sub_overflow(scaled, 4, &scaled);
    const std::int64_t n = beyond ? MulDivTrunc(position_ - min_, Width(), range) : MulDivTrunc(scaled, 1, range);
    if (n / 10 < 0) return -1;
    // A range turned upside down (Min above Max) must not ask for blocks far beyond the control.
    return std::min<std::int64_t>(n / 10, Width() / 10 + 1);
}

Pixel TGProgress::BlockColor(std::int64_t index, const SystemColors& colors) const {
    const std::int64_t blocks = Width() / 10;
    if (index == blocks) return colors.ResolvePixel(color_end_);
    const skin::Color start = colors.Resolve(color_), end = colors.Resolve(color_end_);
    const std::int64_t divisor = blocks - 1;
    auto component = [&](unsigned shift) {
        const std::int64_t from = (start >> shift) & 0xFF, to = (end >> shift) & 0xFF;
        // A bar of one block has no steps to divide: its block takes the start colour.
        const std::int64_t offset = divisor == 0 ? 0 : MulDivRound(index, to - from, divisor);
        return static_cast<unsigned>((from + offset) & 0xFF);
    };
    return ToPixel(MakeColor(component(0), component(8), component(16)));
}

void TGProgress::DrawBlock(PaintContext& pc, std::int64_t index) {
    if (position_ == min_) return;
    const Pixel brush = gradient_bar_ ? BlockColor(index, pc.colors) : pc.Resolve(color_);
    const int x = index == 0 ? 2 : static_cast<int>(index * 10 + (solid_ ? 0 : 2));
    pc.canvas.FillRect({x, 2, x + (solid_ ? 10 : 8), Height() - 2}, brush);
    pc.canvas.Line(Width() - 1, 1, Width() - 1, Height() - 1, pc.Resolve(frame_color2_));
}

void TGProgress::DrawBlocks(PaintContext& pc) {
    const std::int64_t last = LastBlock();
    for (std::int64_t i = 0; i <= last; ++i) DrawBlock(pc, i);
}

void TGProgress::Paint(PaintContext& pc) {
    const int w = Width(), h = Height();
    if (!transparent_) pc.canvas.FillRect({1, 1, w - 1, h - 1}, pc.Resolve(background_color_));
    DrawBlocks(pc);
    const Point shadow[] = {{0, h}, {0, 0}, {w, 0}};
    pc.canvas.Polyline(shadow, pc.Resolve(frame_color1_));
    const Point light[] = {{w - 1, 1}, {w - 1, h - 1}, {0, h - 1}};
    pc.canvas.Polyline(light, pc.Resolve(frame_color2_));
    PartialPending = false;
}

void TGProgress::Repaint() {
    if (!Visible() || !Parent()) return;
    if (PartialPending) {
        Parent()->DrawOnControl(*this, [this](PaintContext& pc) { DrawBlocks(pc); });
    } else {
        GraphicControl::Repaint();
    }
}

} // namespace qv::skin
