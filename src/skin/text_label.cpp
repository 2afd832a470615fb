#include "skin/text_label.h"

#include <utility>

namespace qv::skin {

TextLabel::TextLabel() : GraphicControl(65, 13) {}

void TextLabel::Changed() {
    if (auto_size_) FitToText();
    Invalidate();
}

void TextLabel::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Changed();
}

void TextLabel::SetFont(const skin::Font& font) {
    if (font == font_) return;
    font_ = font;
    Changed();
}

void TextLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void TextLabel::SetColor(skin::Color color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

void TextLabel::SetAutoSize(bool auto_size) {
    auto_size_ = auto_size;
    if (auto_size_) FitToText();
}

void TextLabel::ParentChanged() {
    if (auto_size_) FitToText();
}

void TextLabel::FitToText() {
    if (!Parent()) return;
    const Size size = Parent()->Text().Measure(font_, caption_);
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TextLabel::Paint(PaintContext& pc) {
    if (!transparent_) pc.canvas.FillRect(ClientRect(), pc.Resolve(color_));
    if (caption_.empty()) return;
    const auto mask = pc.text.Render(font_, caption_);
    pc.canvas.DrawMask(*mask, {0, 0}, pc.Resolve(font_.FontColor));
}

} // namespace qv::skin
