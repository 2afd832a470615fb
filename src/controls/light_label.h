#pragma once
// TLightLabel apart from its window: a label that acts like a hyperlink. It has three looks (default,
// under the mouse, pressed), each a background colour and a font, switched by the mouse; a click opens a
// target built from JumpType, JumpTo and the caption.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "skin/color.h"
#include "skin/text.h"

namespace qv::controls {

enum TJumpType { jtNone, jtCust, jtHome, jtMail, jtFile, jtCaption };

// What a click opens: JumpTo as it stands (jtCust, jtHome), as a mail address ("mailto:") or as a file
// ("file:///"), or the caption (jtCaption, whatever JumpTo holds). Nothing for jtNone or an empty text.
std::optional<std::wstring> JumpTarget(TJumpType type, std::wstring_view jump_to, std::wstring_view caption);

class LightLabelState {
public:
    // `label_font` is the label's font as made; the default and click fonts start as copies of it.
    explicit LightLabelState(const skin::Font& label_font = skin::Font());

    // The label's colour and font as they are to be drawn now.
    skin::Color Color() const noexcept { return color_; }
    const skin::Font& Font() const noexcept { return font_; }
    bool Hover() const noexcept { return hover_; }

    skin::Color LightColor = skin::clBtnFace;
    skin::Color ClickColor = skin::clBtnFace;
    bool LightEnabled = true;
    bool DefaultEnabled = true;
    bool ClickEnabled = true;
    TJumpType JumpType = jtCust;
    std::wstring JumpTo;

    const skin::Font& LightFont() const noexcept { return light_font_; }
    void SetLightFont(const skin::Font& font) { light_font_ = font; }
    const skin::Font& ClickFont() const noexcept { return click_font_; }
    void SetClickFont(const skin::Font& font) { click_font_ = font; }
    // The default look's font and colour reach the label at once while DefaultEnabled is set.
    const skin::Font& DefaultFont() const noexcept { return default_font_; }
    void SetDefaultFont(const skin::Font& font);
    skin::Color DefaultColor() const noexcept { return default_color_; }
    void SetDefaultColor(skin::Color color);

    // The mouse. Entering and pressing switch looks only while their flag is set; a release always
    // shows the look that fits where the pointer is.
    void MouseEnter();
    void MouseLeave();
    void MouseDown();
    void MouseUp();

    // Raised whenever the colour or font to draw changes.
    std::function<void()> OnLookChanged;

private:
    void Show(skin::Color color, const skin::Font& font);

    skin::Color color_ = skin::clBtnFace;
    skin::Font font_;
    skin::Color default_color_ = skin::clBtnFace;
    skin::Font light_font_;
    skin::Font default_font_;
    skin::Font click_font_;
    bool hover_ = false;
};

}  // namespace qv::controls
