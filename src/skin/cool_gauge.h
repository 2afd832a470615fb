#pragma once
// TCoolGauge: a bar filled from the left with a 256-band gradient (or a plain colour) over a
// background, a centred text and a frame in the font colour. The gauges of the default window design.
// Values are 64-bit: the memory gauge counts bytes, and machines have more than 2 GiB.
#include <cstdint>
#include <string>

#include "skin/graphic_control.h"

namespace qv::skin {

enum tCoolGaugeStyle { sSolid = 0, sDithered = 1 };

// A text wider than the gauge's frame is drawn in a smaller font of the same face, down to this height
// in pixels; whatever still does not fit is centred and cut at both ends.
inline constexpr int kSmallestGaugeTextHeight = 8;

class TCoolGauge : public GraphicControl {
public:
    TCoolGauge();

    TBorderStyle BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(TBorderStyle style);
    std::int64_t MinValue() const noexcept { return min_; }
    void SetMinValue(std::int64_t value);
    std::int64_t MaxValue() const noexcept { return max_; }
    void SetMaxValue(std::int64_t value);
    std::int64_t Progress() const noexcept { return progress_; }
    // A value outside [MinValue, MaxValue] is ignored.
    void SetProgress(std::int64_t value);
    Color BackColor() const noexcept { return back_color_; }
    void SetBackColor(Color color);
    Color ForeColor1() const noexcept { return fore_color1_; }
    void SetForeColor1(Color color);
    Color ForeColor2() const noexcept { return fore_color2_; }
    void SetForeColor2(Color color);
    tCoolGaugeStyle Style() const noexcept { return style_; }
    void SetStyle(tCoolGaugeStyle style);
    const std::wstring& Text() const noexcept { return text_; }
    // A format: "%d" takes the percentage; a text without a placeholder is shown as it stands.
    void SetText(std::wstring text);
    const skin::Font& Font() const noexcept { return font_; }
    void SetFont(const skin::Font& font);

    // What a paint draws now: the filled width in pixels and the text.
    int FilledWidth() const;
    std::wstring DisplayText() const;

    void Paint(PaintContext& pc) override;
    bool Opaque() const override { return true; }

private:
    void BuildGradient(PaintContext& pc);

    TBorderStyle border_style_ = bsSingle;
    std::int64_t min_ = 0;
    std::int64_t max_ = 100;
    std::int64_t progress_ = 0;
    Color back_color_ = clWhite;
    Color fore_color1_ = 0xFF0000;
    Color fore_color2_ = 0x0000FF;
    tCoolGaugeStyle style_ = sDithered;
    std::wstring text_ = L"%d%%";
    skin::Font font_;

    PixelBuffer GradientCache{1, 1};
    bool GradientDirty = true;
};

// The dithered fill over the whole image: 256 bands from colour `from` to `to`, each band one unit
// further in every component (the low three bytes of each colour are taken as they are, unresolved).
void DrawCoolGradient(PixelBuffer& image, Color from, Color to);

} // namespace qv::skin
