#pragma once
// Text as the controls see it: a font description, a renderer that measures text and turns it into a
// coverage mask (Win32: GDI; in unit tests: a fake with fixed cells), and the "%d" formatting of gauge
// texts. Controls place masks themselves, so colour, clipping and exclusive-or stay portable code.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "skin/color.h"
#include "skin/pixel_buffer.h"

namespace qv::skin {

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

inline constexpr int kDefaultCharset = 1;    // DEFAULT_CHARSET
inline constexpr int kShiftJisCharset = 128;  // SHIFTJIS_CHARSET, "Japanese character set"

struct Font {
    std::wstring Name = L"MS Sans Serif";
    int Height = -11;  // pixels; negative: the character height without internal leading
    unsigned Style = 0;  // FontStyle bits
    int Charset = kDefaultCharset;
    Color FontColor = clBlack;

    friend bool operator==(const Font&, const Font&) = default;
};

// The height of a font of `points` on a device of `pixels_per_inch` (MulDiv rounding), negative.
int HeightFromPoints(int points, int pixels_per_inch);

class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // The cell the text fills when drawn at (0, 0): advance width and line height.
    virtual Size Measure(const Font& font, std::wstring_view text) = 0;
    // The text drawn white on black in a buffer of its measured size: each channel is the coverage of
    // that pixel (0 nothing, 255 full). The font's colour is not used.
    virtual std::shared_ptr<const PixelBuffer> Render(const Font& font, std::wstring_view text) = 0;
};

// `font`, or the same face and style a pixel smaller at a time, until `text` is at most `width` wide; no
// smaller than `smallest_height` pixels (a font already that small stays as it is).
Font FontToFit(TextRenderer& renderer, const Font& font, std::wstring_view text, int width, int smallest_height);

// A gauge text with its number put in: "%d" (with an optional "-" and width, as "%3d") is the number,
// "%%" a percent sign. Any other "%" stands for itself, so a finished text such as "38/256 MB" or "5% off"
// comes back unchanged and no text can make the formatting fail.
std::wstring FormatGaugeText(std::wstring_view format, long long number);

} // namespace qv::skin
