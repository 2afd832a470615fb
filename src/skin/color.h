#pragma once
// Colours as the program keeps them, pixels as the drawing buffers hold them, and the conversion
// between the two.
//
//   Color  0x00BBGGRR, the program's layout (settings, skins, Win32 COLORREF). A value with the top bit
//          set (0x800000nn) names system colour nn; it must be resolved before its components mean
//          anything.
//   Pixel  0x00RRGGBB, the layout of a 32-bit top-down DIB section in memory (bytes B, G, R, 0), so a
//          buffer backed by a DIB needs no conversion on its way to the screen.
#include <cstdint>

namespace qv::skin {

using Color = std::uint32_t;
using Pixel = std::uint32_t;

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clBlue = 0xFF0000;
// See-through colour of skin pictures and gauge images.
inline constexpr Color clKey = 0xFF00FF;

// System colours by index (the values of GetSysColor's indices with the top bit set).
inline constexpr Color clWindow = 0x80000005;
inline constexpr Color clWindowFrame = 0x80000006;
inline constexpr Color clHighlight = 0x8000000D;
inline constexpr Color clBtnFace = 0x8000000F;
inline constexpr Color clBtnShadow = 0x80000010;
inline constexpr Color clBtnHighlight = 0x80000014;

constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr Color MakeColor(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// An RGB colour (not a system colour) as a pixel, and back.
constexpr Pixel ToPixel(Color c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr Color ToColor(Pixel p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

// The platform's table of system colours (GetSysColor on Windows).
class SystemColors {
public:
    virtual ~SystemColors() = default;
    // The RGB value (0x00BBGGRR) of system colour `index`.
    virtual Color SysColor(int index) const = 0;

    // A system colour becomes its current RGB value; any other keeps its low three bytes.
    Color Resolve(Color c) const { return IsSystemColor(c) ? SysColor(static_cast<int>(c & 0xFF)) & 0xFFFFFF : c & 0xFFFFFF; }
    Pixel ResolvePixel(Color c) const { return ToPixel(Resolve(c)); }
};

} // namespace qv::skin
