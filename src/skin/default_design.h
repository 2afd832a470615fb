#pragma once
// The window's default design as it is built: where the title, the six captions, the six gauges and the
// close button stand, and the fonts they are created with. The main window and the settings dialog's
// miniature of it both build from here.
#include <array>

#include "base/app_name.h"
#include "skin/color.h"
#include "skin/pixel_buffer.h"
#include "skin/text.h"

namespace qv::skin::default_design {

inline constexpr int kWesternCharset = 0;  // ANSI_CHARSET

// By metric: memory, swap, CPU, System, User, GDI.
inline constexpr int kGaugeWidth = 100;
inline constexpr int kGaugeHeight = 16;
inline constexpr std::array<int, 6> kGaugeLeft{5, 5, 5, 117, 117, 117};
inline constexpr std::array<int, 6> kGaugeTop{32, 61, 90, 32, 61, 90};
// The colours the window and its gauges are made with: bars from aqua to the window's blue over white.
inline constexpr Color kDefaultWindowColor = 0x00FF8000;
inline constexpr Color kGaugeColor1 = 0xFFFF00;
inline constexpr Color kGaugeColor2 = 0xFF8000;
inline constexpr Color kGaugeBackColor = clWhite;

struct CaptionPlace {
    const wchar_t* caption;
    int left, top;
};
inline constexpr std::array<CaptionPlace, 6> kCaptions{{{L"Memory", 5, 19},
                                                        {L"Swap", 5, 48},
                                                        {L"CPU", 5, 77},
                                                        {L"System Resource", 117, 19},
                                                        {L"User Resource", 117, 48},
                                                        {L"GDI Resource", 117, 77}}};

// The title shows the program's name.
inline constexpr const wchar_t* kTitleCaption = kAppTitle;
inline constexpr Rect kTitleBounds{2, 1, 2 + 162, 1 + 15};
inline constexpr Rect kCloseButtonBounds{200, 3, 200 + 15, 3 + 15};

inline Font TitleFont() { return {L"ＭＳ Ｐゴシック", -15, fsBold, kShiftJisCharset, clWhite}; }
inline Font CaptionFont() { return {L"ＭＳ Ｐゴシック", -11, fsBold, kWesternCharset, clWhite}; }
inline Font CloseButtonFont() { return {L"ＭＳ 明朝", -13, fsBold, kDefaultCharset, clWhite}; }
// 10 points at 96 pixels an inch, blue.
inline Font GaugeFont() { return {L"ＭＳ Ｐゴシック", -13, fsBold, kShiftJisCharset, clBlue}; }

} // namespace qv::skin::default_design
