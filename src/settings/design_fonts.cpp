#include "settings/design_fonts.h"

namespace qv::settings {
namespace {

// Points from a pixel height as the toolkit counts them: -MulDiv(height, 72, ppi), rounded half away.
int points_of(int height, int ppi) {
    if (ppi <= 0) return 0;
    const long long scaled = static_cast<long long>(-height) * 72;
    const long long half = ppi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / ppi : -((-scaled + half) / ppi));
}

} // namespace

FontSpec font_spec_of(const skin::Font& font, int pixels_per_inch) {
    FontSpec spec;
    spec.name = font.Name;
    spec.size = points_of(font.Height, pixels_per_inch);
    spec.color = font.FontColor;
    spec.style = static_cast<std::int32_t>(font.Style);
    return spec;
}

skin::Font font_with(const skin::Font& font, const FontSpec& read, int pixels_per_inch) {
    skin::Font result = font;
    result.Name = read.name;
    result.FontColor = read.color;
    if (read.size != points_of(font.Height, pixels_per_inch) && read.size > 0) {
        result.Height = skin::HeightFromPoints(read.size, pixels_per_inch);
    }
    return result;
}

} // namespace qv::settings
