#include "controls/flat_button.h"

#include <utility>

namespace qv::controls {

TFlatButton::TFlatButton() : GraphicControl(75, 25) {}

void TFlatButton::SetRandfarbe(skin::Color color) {
    randfarbe_ = color;
    Repaint();
}

void TFlatButton::SetFarbe(skin::Color color) {
    farbe_ = color;
    Repaint();
}

void TFlatButton::SetTextLeft(std::int32_t x) {
    text_left_ = x;
    Repaint();
}

void TFlatButton::SetTextTop(std::int32_t y) {
    text_top_ = y;
    Repaint();
}

void TFlatButton::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    Repaint();
}

void TFlatButton::SetButtonState(TButtonState state) {
    state_ = state;
    Repaint();
}

void TFlatButton::SetFont(const skin::Font& font) {
    font_ = font;
    Repaint();
}

void TFlatButton::Paint(skin::PaintContext& pc) {
    const bool down = state_ == stDown;
    const skin::Pixel red = skin::ToPixel(skin::clRed);
    const skin::Pixel text_color = down ? red : pc.Resolve(font_.FontColor);
    const skin::Pixel border = down ? red : pc.Resolve(randfarbe_);
    pc.canvas.Rectangle(ClientRect(), border, pc.Resolve(farbe_));

    skin::Font regular;
    regular.Name = font_.Name;
    regular.Height = font_.Height;
    const auto mask = pc.text.Render(regular, caption_);
    text_top_ = Height() / 2 - mask->Height() / 2;
    text_left_ = Width() / 2 - mask->Width() / 2;
    pc.canvas.DrawMask(*mask, {text_left_, text_top_}, text_color);
}

void TFlatButton::MouseDown(skin::TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl::MouseDown(button, shift, x, y);
    SetButtonState(stDown);
}

void TFlatButton::MouseUp(skin::TMouseButton button, unsigned shift, int x, int y) {
    GraphicControl::MouseUp(button, shift, x, y);
    SetButtonState(stUp);
}

} // namespace qv::controls
