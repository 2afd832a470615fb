#pragma once
// TFlatButton: a windowless caption button, a flat filled rectangle with a one-pixel border and a
// centred caption; pressed, its border and caption turn red. The "X" that hides the main window.
#include <cstdint>
#include <string>

#include "skin/graphic_control.h"

namespace qv::controls {

enum TButtonState { stUp, stDown };

class TFlatButton : public skin::GraphicControl {
public:
    TFlatButton();

    // Border colour in the up state.
    skin::Color Randfarbe() const noexcept { return randfarbe_; }
    void SetRandfarbe(skin::Color color);
    // Fill colour in both states.
    skin::Color Farbe() const noexcept { return farbe_; }
    void SetFarbe(skin::Color color);
    // Where the caption was drawn last; every paint centres it anew.
    std::int32_t TextLeft() const noexcept { return text_left_; }
    void SetTextLeft(std::int32_t x);
    std::int32_t TextTop() const noexcept { return text_top_; }
    void SetTextTop(std::int32_t y);
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption);
    TButtonState ButtonState() const noexcept { return state_; }
    void SetButtonState(TButtonState state);
    // Name and size are used; the colour in the up state. Style and character set are not applied,
    // so the caption is drawn in the regular weight.
    const skin::Font& Font() const noexcept { return font_; }
    void SetFont(const skin::Font& font);

    void Paint(skin::PaintContext& pc) override;
    bool Opaque() const override { return true; }
    void MouseDown(skin::TMouseButton button, unsigned shift, int x, int y) override;
    void MouseUp(skin::TMouseButton button, unsigned shift, int x, int y) override;

private:
    skin::Color randfarbe_ = skin::clBlack;
    skin::Color farbe_ = skin::clBlack;
    std::int32_t text_left_ = 0;
    std::int32_t text_top_ = 0;
    std::wstring caption_;
    TButtonState state_ = stUp;
    skin::Font font_;
};

} // namespace qv::controls
