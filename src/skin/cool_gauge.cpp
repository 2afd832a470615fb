#include "skin/cool_gauge.h"

#include <utility>

#include "skin/arithmetic.h"

namespace qv::skin {

TCoolGauge::TCoolGauge() : GraphicControl(100, 20) {}

void TCoolGauge::SetBorderStyle(TBorderStyle style) {
    if (style == border_style_) return;
    border_style_ = style;
    Repaint();
}

void TCoolGauge::SetMinValue(std::int64_t value) {
    if (value == min_) return;
    if (value < max_) min_ = value;
    // Raised even when the minimum itself was refused.
    if (progress_ < value) progress_ = value;
    Repaint();
}

void TCoolGauge::SetMaxValue(std::int64_t value) {
    if (value == max_) return;
    if (value > min_) max_ = value;
    if (value < progress_) progress_ = value;
    Repaint();
}

void TCoolGauge::SetProgress(std::int64_t value) {
    if (value == progress_ || value < min_ || value > max_) return;
    const int width_before = FilledWidth();
    const std::wstring text_before = DisplayText();
    progress_ = value;
    // The display refresh sets every gauge every period: paint only what shows a change.
    if (FilledWidth() != width_before || DisplayText() != text_before) Repaint();
}

void TCoolGauge::SetBackColor(Color color) {
    if (color == back_color_) return;
    back_color_ = color;
    Repaint();
}

void TCoolGauge::SetForeColor1(Color color) {
    if (color == fore_color1_) return;
    fore_color1_ = color;
    GradientDirty = true;
    Repaint();
}

void TCoolGauge::SetForeColor2(Color color) {
    if (color == fore_color2_) return;
    fore_color2_ = color;
    GradientDirty = true;
    Repaint();
}

void TCoolGauge::SetStyle(tCoolGaugeStyle style) {
    if (style == style_) return;
    style_ = style;
    // The cache holds the fill of one style; the other one must be drawn anew.
    GradientDirty = true;
    Repaint();
}

void TCoolGauge::SetText(std::wstring text) {
    if (text == text_) return;
    text_ = std::move(text);
    Repaint();
}

void TCoolGauge::SetFont(const skin::Font& font) {
    if (font == font_) return;
    font_ = font;
    Repaint();
}

int TCoolGauge::FilledWidth() const {
    if (max_ == 0) return 0;
    // A progress raised past the maximum can give more than an int holds: the bar is then full, not -1.
    return ClampToInt(MulDivNearest(Width(), progress_, max_));
}

std::wstring TCoolGauge::DisplayText() const {
    if (text_.empty()) return {};
    const std::int64_t percent = max_ == 0 ? 0 : MulDivNearest(progress_, 100, max_);
    return FormatGaugeText(text_, percent);
}

void DrawCoolGradient(PixelBuffer& image, Color from, Color to) {
    int current[3] = {RedOf(from), GreenOf(from), BlueOf(from)};
    const int target[3] = {RedOf(to), GreenOf(to), BlueOf(to)};
    Canvas canvas(image);
    const std::int64_t width = image.Width();
    for (int band = 0; band < 256; ++band) {
        for (int c = 0; c < 3; ++c) {
            if (current[c] < target[c]) {
                ++current[c];
            } else if (current[c] > target[c]) {
                --current[c];
            }
        }
        const int left = static_cast<int>(band * width / 256);
        const int right = static_cast<int>((band + 1) * width / 256);
        canvas.FillRect({left, 0, right, image.Height()}, ToPixel(MakeColor(current[0], current[1], current[2])));
    }
}

void TCoolGauge::BuildGradient(PaintContext& pc) {
    GradientDirty = false;
    GradientCache.Reset(Width(), Height());
    if (style_ == sDithered) {
        DrawCoolGradient(GradientCache, fore_color1_, fore_color2_);
    } else {
        GradientCache.Fill(pc.Resolve(fore_color1_));
    }
}

void TCoolGauge::Paint(PaintContext& pc) {
    if (GradientDirty || GradientCache.Width() != Width() || GradientCache.Height() != Height()) BuildGradient(pc);
    Canvas& canvas = pc.canvas;
    const Rect client = ClientRect();
    canvas.FillRect(client, pc.Resolve(back_color_));
    canvas.Copy(GradientCache, {0, 0, FilledWidth(), Height()}, {0, 0});
    const Pixel font_color = pc.Resolve(font_.FontColor);
    if (!text_.empty()) {
        // Inside the frame with a pixel to spare on each side.
        const int room = Width() - (border_style_ == bsSingle ? 4 : 0);
        const std::wstring text = DisplayText();
        const auto mask = pc.text.Render(FontToFit(pc.text, font_, text, room, kSmallestGaugeTextHeight), text);
        canvas.DrawMask(*mask, {(Width() - mask->Width()) / 2, (Height() - mask->Height()) / 2}, font_color);
    }
    if (border_style_ == bsSingle) canvas.FrameRect(client, font_color);
}

} // namespace qv::skin
