#include "controls/light_label.h"

namespace qv::controls {

std::optional<std::wstring> JumpTarget(TJumpType type, std::wstring_view jump_to, std::wstring_view caption) {
    if (type == jtCaption) {
        if (caption.empty()) return std::nullopt;
        return std::wstring(caption);
    }
    if (jump_to.empty()) return std::nullopt;
    switch (type) {
        case jtCust:
        case jtHome:
            return std::wstring(jump_to);
        case jtMail:
            return L"mailto:" + std::wstring(jump_to);
        case jtFile:
            return L"file:///" + std::wstring(jump_to);
        default:
            return std::nullopt;
    }
}

LightLabelState::LightLabelState(const skin::Font& label_font)
    : font_(label_font), default_font_(label_font), click_font_(label_font) {
    light_font_.FontColor = skin::clBlue;
    light_font_.Style = skin::fsUnderline;
    default_font_.FontColor = skin::clBlue;
    default_font_.Style = 0;
    click_font_.FontColor = skin::clRed;
    click_font_.Style = 0;
    Show(default_color_, default_font_);
}

void LightLabelState::SetDefaultFont(const skin::Font& font) {
    default_font_ = font;
    if (DefaultEnabled) Show(color_, default_font_);
}

void LightLabelState::SetDefaultColor(skin::Color color) {
    if (color == default_color_) return;
    default_color_ = color;
    if (DefaultEnabled) Show(default_color_, font_);
}

void LightLabelState::MouseEnter() {
    hover_ = true;
    if (LightEnabled) Show(LightColor, light_font_);
}

void LightLabelState::MouseLeave() {
    hover_ = false;
    if (DefaultEnabled) Show(default_color_, default_font_);
}

void LightLabelState::MouseDown() {
    if (ClickEnabled) Show(ClickColor, click_font_);
}

void LightLabelState::MouseUp() {
    if (hover_)
        Show(LightColor, light_font_);
    else
        Show(default_color_, default_font_);
}

void LightLabelState::Show(skin::Color color, const skin::Font& font) {
    if (color == color_ && font == font_) return;
    color_ = color;
    font_ = font;
    if (OnLookChanged) OnLookChanged();
}

}  // namespace qv::controls
