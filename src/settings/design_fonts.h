#pragma once
// Fonts of the window's design as the settings store them: face name, size in points and colour in
// three keys, and the style bits in an item of its own. The controls keep a pixel height; the designed
// font is the default of each key, so a font without keys in the file stays exactly as designed.
#include "settings/values.h"
#include "skin/text.h"

namespace qv::settings {

// The settings' view of a control's font (style left out: it has an item of its own).
FontSpec font_spec_of(const skin::Font& font, int pixels_per_inch);

// The control's font after reading `read` (which started as font_spec_of(font)): a size that did not
// change keeps the exact pixel height.
skin::Font font_with(const skin::Font& font, const FontSpec& read, int pixels_per_inch);

} // namespace qv::settings
