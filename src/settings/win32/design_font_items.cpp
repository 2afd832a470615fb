#include "settings/win32/design_font_items.h"

#include <windows.h>

#include "settings/design_fonts.h"
#include "base/app_error.h"
#include "base/win32/unique_handle.h"

namespace qv::settings::win32 {

int ScreenPixelsPerInch() {
    win::WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

skin::Font ReadDesignFont(TRegManager& RM, FontItem font_item, IntegerItem style_item, const skin::Font& current) {
    const int ppi = ScreenPixelsPerInch();
    FontSpec spec = font_spec_of(current, ppi);
    try {
        RM.Filer(font_item).ReadFont(spec);
    } catch (const AppError&) {
        spec.color = current.FontColor;  // face and size are read before a colour text that names no colour
    }
    skin::Font font = font_with(current, spec, ppi);
    font.Style = static_cast<unsigned>(RM.Filer(style_item).ReadInteger()) & 0xFu;
    return font;
}

void WriteDesignFont(TRegManager& RM, FontItem font_item, IntegerItem style_item, const skin::Font& font) {
    RM.Filer(font_item).WriteFont(font_spec_of(font, ScreenPixelsPerInch()));
    RM.Filer(style_item).WriteInteger(static_cast<std::int32_t>(font.Style & 0xFu));
}

skin::Color ReadDesignColor(TRegManager& RM, ColorItem item, skin::Color current) {
    try {
        return RM.Filer(item).ReadColor();
    } catch (const AppError&) {
        return current;
    }
}

} // namespace qv::settings::win32
