#include "skin/gauge.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "base/app_error.h"
#include "skin/arithmetic.h"

namespace qv::skin {
namespace {

constexpr std::int64_t kLowestBound = -2147483647;
constexpr std::int64_t kHighestBound = 2147483647;

[[noreturn]] void RangeError(std::int64_t low, std::int64_t high) {
    throw AppError(std::to_wstring(low) + L" から " + std::to_wstring(high) + L" の間の値でなければなりません");
}

int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

TGauge::TGauge() : TGauge(100, 100) {}

TGauge::TGauge(int width, int height) : GraphicControl(width, height) {}

void TGauge::SetMinValue(std::int64_t value) {
    if (value == min_) return;
    if (value > max_ && !loading_) RangeError(kLowestBound, max_ - 1);
    min_ = value;
    if (progress_ < value) progress_ = value;
    Repaint();
}

void TGauge::SetMaxValue(std::int64_t value) {
    if (value == max_) return;
    if (value < min_ && !loading_) RangeError(min_ + 1, kHighestBound);
    max_ = value;
    if (value < progress_) progress_ = value;
    Repaint();
}

void TGauge::SetProgress(std::int64_t value) {
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    if (value == progress_) return;
    const auto before = ProgressLook();
    progress_ = value;
    if (ProgressLook() != before) Repaint();
}

int TGauge::PercentDone() const {
    if (max_ == min_) return 0;
    return ClampToInt(ScaleToRange(100, progress_, min_, max_));
}

void TGauge::SetKind(TGaugeKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    Repaint();
}

void TGauge::SetShowText(bool show) {
    if (show == show_text_) return;
    show_text_ = show;
    Repaint();
}

void TGauge::SetBorderStyle(TBorderStyle style) {
    if (style == border_style_) return;
    border_style_ = style;
    Repaint();
}

void TGauge::SetForeColor(skin::Color color) {
    if (color == fore_color_) return;
    fore_color_ = color;
    Repaint();
}

void TGauge::SetBackColor(skin::Color color) {
    if (color == back_color_) return;
    back_color_ = color;
    Repaint();
}

void TGauge::SetColor(skin::Color color) {
    if (color == color_) return;
    color_ = color;
    Repaint();
}

void TGauge::SetFont(const skin::Font& font) {
    if (font == font_) return;
    font_ = font;
    Repaint();
}

void TGauge::Paint(PaintContext& pc) {
    // Drawn straight onto the surface: the base image is black, so XOR-ing the kind's drawing into it
    // leaves exactly that drawing, and the text is XOR-ed over it.
    Canvas& canvas = pc.canvas;
    const Pixel black = 0;
    canvas.FillRect(ClientRect(), black);
    Rect r = ClientRect();
    if (border_style_ == bsSingle) r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const Pixel fore = pc.Resolve(fore_color_);
    const Pixel back = pc.Resolve(back_color_);
    const int pd = PercentDone();
    const int extra = border_style_ == bsSingle ? 1 : 0;

    switch (kind_) {
    case TGaugeKind::gkText:
        canvas.FillRect(r, back);
        break;
    case TGaugeKind::gkHorizontalBar: {
        canvas.FillRect(r, back);
        const int w = r.right - r.left + 1, h = r.bottom - r.top + 1;
        const int f = std::min(static_cast<int>(static_cast<std::int64_t>(w) * pd / 100), w);
        if (f > 0) canvas.Rectangle({r.left, r.top, f, h}, fore, fore);
        break;
    }
    case TGaugeKind::gkVerticalBar: {
        canvas.FillRect(r, back);
        const int w = r.right - r.left + 1, h = r.bottom - r.top + 1;
        int f = static_cast<int>(static_cast<std::int64_t>(h) * pd / 100);
        if (f >= h) f = h - 1;
        canvas.Rectangle({r.left, h - f, w, h}, fore, fore);
        break;
    }
    case TGaugeKind::gkPie: {
        const int w = r.right - r.left + extra, h = r.bottom - r.top + extra;
        canvas.FillRect(r, pc.Resolve(color_));
        const Rect box{r.left, r.top, w, h};
        canvas.Ellipse(box, fore, back);
        if (pd > 0) {
            const int mx = w / 2, my = h / 2;
            const double a = (pd / 50.0 + 0.5) * std::numbers::pi;
            canvas.Pie(box, {Nearest(mx * (1 - std::cos(a))), Nearest(my * (1 - std::sin(a)))}, {mx, 0}, fore, fore);
        }
        break;
    }
    case TGaugeKind::gkNeedle: {
        const int w = r.right - r.left + extra, h = r.bottom - r.top + extra;
        canvas.FillRect(r, pc.Resolve(color_));
        canvas.Pie({r.left, r.top, w, 2 * h - 1}, {r.left + w, r.bottom - 1}, {r.left, r.bottom - 1}, fore, back);
        canvas.Line(r.left, r.bottom, r.left + w, r.bottom, fore);
        if (pd > 0) {
            const double a = pd / 100.0 * std::numbers::pi;
            const int half = Width() / 2;
            canvas.Line(half, r.bottom - 1, Nearest((1 - std::cos(a)) * half), Nearest((1 - std::sin(a)) * (r.bottom - 1)),
                        fore);
        }
        break;
    }
    }

    if (show_text_) {
        const auto mask = pc.text.Render(font_, std::to_wstring(pd) + L"%");
        const Point at{(r.right - r.left + 1 - mask->Width()) / 2, (r.bottom - r.top + 1 - mask->Height()) / 2};
        canvas.XorMask(*mask, at, r);
    }
}

// TLabelGauge

TLabelGauge::TLabelGauge() : TGauge(128, 20) {}

void TLabelGauge::MarkGradientStale() { GradientImage.Reset(0, 0); }

void TLabelGauge::SetForeColor(skin::Color color) {
    fore_color_ = color;
    MarkGradientStale();
    Repaint();
}

void TLabelGauge::SetForeColor2(skin::Color color) {
    fore_color2_ = color;
    MarkGradientStale();
    Repaint();
}

void TLabelGauge::SetKind(TLabelGaugeKind kind) {
    kind_ = kind;
    MarkGradientStale();
    Repaint();
}

void TLabelGauge::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

Rect TLabelGauge::FilledRect() const {
    if (MaxValue() == MinValue()) return {};
    if (kind_ == TLabelGaugeKind::gkHorizontalBar) {
        return {0, 0, ClampToInt(ScaleToRange(Width(), Progress(), MinValue(), MaxValue())), Height()};
    }
    const int filled = ClampToInt(ScaleToRange(Height(), Progress(), MinValue(), MaxValue()));
    return {0, ClampToInt(std::int64_t{Height()} - filled), Width(), Height()};
}

// The percentage shown; the range must not be empty.
std::int64_t TLabelGauge::Percent() const {
    return ScaleToRange(100, Progress(), MinValue(), MaxValue());
}

std::pair<std::int64_t, std::int64_t> TLabelGauge::ProgressLook() const {
    const Rect filled = FilledRect();
    const std::int64_t percent = ShowText() && MaxValue() != MinValue() ? Percent() : 0;
    return {kind_ == TLabelGaugeKind::gkHorizontalBar ? filled.right : filled.top, percent};
}

void DrawLabelGradient(PixelBuffer& image, bool vertical, skin::Color start, skin::Color end) {
    Canvas canvas(image);
    const int w = image.Width(), h = image.Height();
    double current[3] = {double(RedOf(start)), double(GreenOf(start)), double(BlueOf(start))};
    const double step[3] = {(RedOf(end) - current[0]) / 255, (GreenOf(end) - current[1]) / 255,
                            (BlueOf(end) - current[2]) / 255};
    for (int i = 0; i < 256; ++i) {
        skin::Color color = MakeColor(static_cast<unsigned>(current[0]), static_cast<unsigned>(current[1]),
                                      static_cast<unsigned>(current[2]));
        if (color == clKey) color = 0xFF00FE;
        for (int c = 0; c < 3; ++c) current[c] += step[c];
        if (vertical) {
            const int top = i * h / 255;
            canvas.FillRect({0, top, w, top + h / 255 + 1}, ToPixel(color));
        } else {
            const int left = i * w / 255;
            canvas.FillRect({left, 0, left + w / 255 + 1, h}, ToPixel(color));
        }
    }
}

void TLabelGauge::Paint(PaintContext& pc) {
    if (!Enabled() || !Visible() || Loading()) return;
    const int w = Width(), h = Height();
    if (GradientImage.Width() != w || GradientImage.Height() != h) {
        GradientImage.Reset(w, h);
        if (kind_ == TLabelGaugeKind::gkVerticalBar) {
            DrawLabelGradient(GradientImage, true, pc.colors.Resolve(fore_color2_), pc.colors.Resolve(fore_color_));
        } else {
            DrawLabelGradient(GradientImage, false, pc.colors.Resolve(fore_color_), pc.colors.Resolve(fore_color2_));
        }
        WorkImage.Reset(w, h);
    }
    const Pixel key = ToPixel(clKey);
    Pixel fill = key;
    if (!transparent_) {
        fill = pc.Resolve(BackColor());
        if (fill == key) fill = ToPixel(0xFF00FE);
    }
    WorkImage.Fill(fill);
    Canvas work(WorkImage);
    if (MaxValue() != MinValue()) {
        const Rect filled = FilledRect();
        work.Copy(GradientImage, filled, {filled.left, filled.top});
        if (ShowText()) {
            const auto mask = pc.text.Render(Font(), std::to_wstring(Percent()) + L"%");
            work.DrawMask(*mask, {(w - mask->Width()) / 2, (h - mask->Height()) / 2}, pc.Resolve(Font().FontColor));
        }
    }
    if (BorderStyle() == bsSingle) work.FrameRect(ClientRect(), 0);
    pc.canvas.CopyKeyed(WorkImage, WorkImage.Bounds(), {0, 0}, key);
}

} // namespace qv::skin
