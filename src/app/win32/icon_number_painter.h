#pragma once
// The tray numbers' drawing surface: a 16 x 16 bitmap with its all-black (opaque) mask and the two
// fonts, kept for the whole run. Each drawing makes a new icon that the tray icon then owns.
#include <windows.h>

#include "base/win32/unique_handle.h"

namespace qv::app {

class IconNumberPainter {
public:
    // Throws AppError when the bitmaps or fonts cannot be made.
    IconNumberPainter();

    // A new icon with `number` (0..100) in `text` colour on `back`.
    win::UniqueIcon draw(int number, COLORREF text, COLORREF back);

private:
    win::UniqueMemoryDC dc_;
    win::UniqueBitmap IconBitmap;
    win::UniqueBitmap IconMask;
    win::UniqueFont font_;        // "ＭＳ Ｐゴシック" 10 pt bold
    win::UniqueFont small_font_;  // the same at 7 pt, for "100"
};

} // namespace qv::app
