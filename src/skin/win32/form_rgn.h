#pragma once
// TFormRgn: the picture control that fills the main window (BackImage). It shows the background
// picture and turns it into the window's shape: every pixel of TransparentColor is cut out.
#include <windows.h>

#include "base/win32/unique_handle.h"
#include "skin/picture_control.h"

namespace qv::skin::win {

class TFormRgn : public PictureControl {
public:
    // `window`: the window this control lies in, whose shape ApplyRegion sets.
    explicit TFormRgn(HWND window);

    skin::Color TransparentColor() const noexcept { return transparent_color_; }
    // Only stored: the shape changes at the next BuildRegion.
    void SetTransparentColor(skin::Color color) noexcept { transparent_color_ = color; }

    // Scans the picture into a new region in the window's coordinates (see FormRegionRuns). On failure
    // the previous region stays and AppError is raised: "CreateRectRgnに失敗しました",
    // "CombineRgnに失敗しました", or for a JPEG picture "ビットマップを持っている時のみイメージの変更が可能です".
    void BuildRegion();
    // Gives a copy of the region to the window as its shape, with redraw; nothing without a region.
    // Failures: "CreateRectRgnに失敗しました", "CombineRgnに失敗しました", "SetWindowRGNに失敗しました" (also for a
    // shape of more rectangles than a window can take).
    void ApplyRegion();

    HRGN Region() const noexcept { return region_.get(); }

private:
    HWND window_;
    skin::Color transparent_color_ = clBlack;
    qv::win::UniqueRegion region_;
};

} // namespace qv::skin::win
