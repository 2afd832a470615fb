#pragma once
// A caption on the window: one line of text in its font colour, on a see-through or filled background,
// sized to its text (the main window's title and the six metric captions).
#include <string>

#include "skin/graphic_control.h"

namespace qv::skin {

class TextLabel : public GraphicControl {
public:
    TextLabel();

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption);
    const skin::Font& Font() const noexcept { return font_; }
    void SetFont(const skin::Font& font);
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool transparent);
    skin::Color Color() const noexcept { return color_; }
    void SetColor(skin::Color color);
    // While set, the label takes the size of its text whenever the text, the font or the host changes.
    bool AutoSize() const noexcept { return auto_size_; }
    void SetAutoSize(bool auto_size);
    // Sizes the label to its text now (needs a host to measure with).
    void FitToText();

    void Paint(PaintContext& pc) override;
    bool Opaque() const override { return !transparent_; }

protected:
    void ParentChanged() override;

private:
    void Changed();

    std::wstring caption_;
    skin::Font font_;
    bool transparent_ = true;
    skin::Color color_ = clBtnFace;
    bool auto_size_ = true;
};

} // namespace qv::skin
