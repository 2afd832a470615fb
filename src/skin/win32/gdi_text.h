#pragma once
// Text through GDI: fonts made from the portable descriptions (and kept), extents from
// GetTextExtentPoint32, and coverage masks drawn white on black into a DIB section. Recent masks are
// kept, so a gauge showing the same text again costs no GDI call.
#include <windows.h>

#include <list>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "base/win32/unique_handle.h"
#include "skin/text.h"
#include "skin/win32/dib_section.h"

namespace qv::skin::win {

// The GDI font for a description; throws AppError when none can be made.
qv::win::UniqueFont CreateFontFor(const Font& font);

class GdiTextRenderer final : public TextRenderer {
public:
    GdiTextRenderer();

    Size Measure(const Font& font, std::wstring_view text) override;
    std::shared_ptr<const PixelBuffer> Render(const Font& font, std::wstring_view text) override;

    // The font handle for a description (owned by the renderer).
    HFONT FontHandle(const Font& font);

private:
    using FontKey = std::tuple<std::wstring, int, unsigned, int>;
    using MaskKey = std::pair<FontKey, std::wstring>;
    static FontKey KeyOf(const Font& font) { return {font.Name, font.Height, font.Style, font.Charset}; }

    qv::win::UniqueMemoryDC measure_dc_;
    DibSection scratch_;
    std::map<FontKey, qv::win::UniqueFont> fonts_;
    std::map<MaskKey, std::shared_ptr<const PixelBuffer>> masks_;
    std::list<MaskKey> mask_order_;  // oldest first
};

} // namespace qv::skin::win
