#pragma once
// The tray numbers' drawing surface: a square bitmap of the tray's small-icon size with its all-black
// (opaque) mask and the two fonts, kept until the size changes. Each drawing makes a new icon that the
// tray icon then owns.
#include <windows.h>

#include "app/icon_number.h"
#include "base/win32/unique_handle.h"

namespace qv::app {

class IconNumberPainter {
public:
    // Throws AppError when the bitmaps or fonts cannot be made. `size`: the icon's side in pixels
    // (16 at 96 pixels an inch; never less).
    explicit IconNumberPainter(int size = kBaseIconSize);

    // A new icon with `number` (0..100) in `text` colour on `back`.
    win::UniqueIcon draw(int number, COLORREF text, COLORREF back);

    int size() const noexcept { return size_; }

private:
    int size_;
    win::UniqueMemoryDC dc_;
    win::UniqueBitmap IconBitmap;
    win::UniqueBitmap IconMask;
    win::UniqueFont font_;        // "ＭＳ Ｐゴシック" 10 pt bold (at 16 pixels)
    win::UniqueFont small_font_;  // the same at 7 pt, for "100"
};

} // namespace qv::app
