#pragma once
// A font of the window's design as the store keeps it: face, size and colour under the font item, the
// style bits under an item of their own. The font a control has is the default of each key.
#include "settings/reg_manager.h"
#include "settings/setting_items.h"
#include "skin/text.h"

namespace qv::settings::win32 {

int ScreenPixelsPerInch();

skin::Font ReadDesignFont(TRegManager& RM, FontItem font_item, IntegerItem style_item, const skin::Font& current);
void WriteDesignFont(TRegManager& RM, FontItem font_item, IntegerItem style_item, const skin::Font& font);

// A colour item; text that names no colour keeps `current` (the dialog still opens and OK writes a
// readable colour in its place).
skin::Color ReadDesignColor(TRegManager& RM, ColorItem item, skin::Color current);

} // namespace qv::settings::win32
