#pragma once
// TGauge: a value between a minimum and a maximum shown as text, a horizontal or vertical bar, a pie
// or a needle, with its percentage XOR-ed over the drawing. TLabelGauge: the gauge of skins, a
// gradient bar on a see-through background.
#include <cstdint>
#include <utility>

#include "skin/graphic_control.h"

namespace qv::skin {

enum class TGaugeKind { gkText = 0, gkHorizontalBar = 1, gkVerticalBar = 2, gkPie = 3, gkNeedle = 4 };

class TGauge : public GraphicControl {
public:
    TGauge();

    std::int64_t MinValue() const noexcept { return min_; }
    // Above MaxValue: AppError "-2147483647 から <MaxValue - 1> の間の値でなければなりません".
    void SetMinValue(std::int64_t value);
    std::int64_t MaxValue() const noexcept { return max_; }
    // Below MinValue: AppError "<MinValue + 1> から 2147483647 の間の値でなければなりません".
    void SetMaxValue(std::int64_t value);
    std::int64_t Progress() const noexcept { return progress_; }
    // Clamped into [MinValue, MaxValue].
    void SetProgress(std::int64_t value);
    // (Progress - MinValue) x 100 / (MaxValue - MinValue), truncated; 0 for an empty range.
    int PercentDone() const;

    TGaugeKind Kind() const noexcept { return kind_; }
    void SetKind(TGaugeKind kind);
    bool ShowText() const noexcept { return show_text_; }
    void SetShowText(bool show);
    TBorderStyle BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(TBorderStyle style);
    skin::Color ForeColor() const noexcept { return fore_color_; }
    void SetForeColor(skin::Color color);
    skin::Color BackColor() const noexcept { return back_color_; }
    void SetBackColor(skin::Color color);
    // The control's own colour, around the pie and the needle.
    skin::Color Color() const noexcept { return color_; }
    void SetColor(skin::Color color);
    const skin::Font& Font() const noexcept { return font_; }
    void SetFont(const skin::Font& font);

    // While a stored description is being applied the range checks are skipped (and a TLabelGauge
    // does not paint).
    bool Loading() const noexcept { return loading_; }
    void SetLoading(bool loading) noexcept { loading_ = loading; }

    void Paint(PaintContext& pc) override;
    bool Opaque() const override { return true; }

protected:
    TGauge(int width, int height);
    // What a paint shows of the progress; a progress change repaints only when it changes.
    virtual std::pair<std::int64_t, std::int64_t> ProgressLook() const { return {PercentDone(), 0}; }

private:
    std::int64_t min_ = 0;
    std::int64_t max_ = 100;
    std::int64_t progress_ = 0;
    TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
    bool show_text_ = true;
    TBorderStyle border_style_ = bsSingle;
    skin::Color fore_color_ = clBlack;
    skin::Color back_color_ = clWhite;
    skin::Color color_ = clBtnFace;
    skin::Font font_;
    bool loading_ = false;
};

enum class TLabelGaugeKind { gkHorizontalBar = 0, gkVerticalBar = 1 };

class TLabelGauge : public TGauge {
public:
    TLabelGauge();

    // These replace the base class's properties of the same names.
    skin::Color ForeColor() const noexcept { return fore_color_; }
    void SetForeColor(skin::Color color);
    skin::Color ForeColor2() const noexcept { return fore_color2_; }
    void SetForeColor2(skin::Color color);
    TLabelGaugeKind Kind() const noexcept { return kind_; }
    void SetKind(TLabelGaugeKind kind);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool transparent);

    // The filled rectangle for the current value (empty for an empty range).
    Rect FilledRect() const;

    void Paint(PaintContext& pc) override;
    bool Opaque() const override { return false; }

protected:
    std::pair<std::int64_t, std::int64_t> ProgressLook() const override;

private:
    void MarkGradientStale();
    std::int64_t Percent() const;

    skin::Color fore_color_ = 0xFFFF00;
    skin::Color fore_color2_ = 0x800000;
    TLabelGaugeKind kind_ = TLabelGaugeKind::gkHorizontalBar;
    bool transparent_ = false;
    PixelBuffer GradientImage;
    PixelBuffer WorkImage;
};

// The gradient of a label gauge over the whole image: 256 bands from `start` to `end` (RGB colours), in
// double-precision steps of a 255th; left to right, or top to bottom when vertical. No band is exactly
// the key colour $FF00FF ($FF00FE instead).
void DrawLabelGradient(PixelBuffer& image, bool vertical, skin::Color start, skin::Color end);

} // namespace qv::skin
