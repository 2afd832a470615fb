#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: GDI draws on it through the DC, the
// portable drawing code through Pixels() (the same memory), and one BitBlt puts it on screen. Call
// GdiFlush() between GDI drawing and direct pixel access.
#include <windows.h>

#include <memory>

#include "base/win32/unique_handle.h"
#include "skin/pixel_buffer.h"

namespace qv::skin::win {

class DibSection {
public:
    DibSection() = default;
    // Throws AppError when the system cannot make it.
    DibSection(int width, int height);
    DibSection(DibSection&&) noexcept = default;
    DibSection& operator=(DibSection&&) noexcept;
    ~DibSection();

    bool Valid() const noexcept { return static_cast<bool>(bitmap_); }
    int Width() const noexcept { return pixels_.Width(); }
    int Height() const noexcept { return pixels_.Height(); }
    HDC Dc() const noexcept { return dc_.get(); }
    HBITMAP Bitmap() const noexcept { return bitmap_.get(); }
    PixelBuffer& Pixels() noexcept { return pixels_; }
    const PixelBuffer& Pixels() const noexcept { return pixels_; }

private:
    void Release() noexcept;

    // Declaration order is cleanup order in reverse: the selection goes first, then the bitmap, then the DC.
    qv::win::UniqueMemoryDC dc_;
    qv::win::UniqueBitmap bitmap_;
    std::unique_ptr<qv::win::SelectGuard> selection_;
    PixelBuffer pixels_;
};

} // namespace qv::skin::win
