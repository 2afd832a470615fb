#pragma once
// Window and button shapes as horizontal runs of pixels. The platform's region objects are made from
// the runs elsewhere (win32/form_rgn.h, win32/rgn_btn.h); the scans are here.
#include <cstddef>
#include <vector>

#include "skin/image.h"

namespace qv::skin {

// Columns [Left, Right) of row Y.
struct Run {
    int Left = 0;
    int Right = 0;
    int Y = 0;
    friend bool operator==(const Run&, const Run&) = default;
};

// The most runs a shape may have: a screen of 3840 x 2160 pixels alternating with see-through ones stays
// below it. More would take a large share of a 32-bit address space for no window anyone can see.
inline constexpr std::size_t kMaxRegionRuns = std::size_t{1} << 22;

// TFormRgn's scan of a picture shown in a control `width` x `height`: in rows 1 ... height - 1, the
// maximal runs of pixels other than `transparent` within columns 1 ... width - 1. Row 0 and column 0
// never belong to the shape; places outside the picture never read as `transparent`. Raises AppError
// "CreateRectRgnに失敗しました" beyond kMaxRegionRuns runs.
std::vector<Run> FormRegionRuns(const Image& picture, Pixel transparent, int width, int height);

// Where AddRun puts a picture control's pixel (0, 0) in its window, counted from the window's outer
// top-left corner: the side borders are taken to be equal left, right and bottom, the rest of the
// non-client height to lie on top.
Point FormRegionOffset(int left, int top, Size outer, Size client);

// The shape of a button picture: every run of pixels differing from the bottom-left pixel (palette
// index, or colour), row by row. Raises AppError "ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません" for no picture,
// "幅または高さが 0 です" for a zero size, "ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です" when a row still has pixels to scan
// after its 101st run, "ﾒﾓﾘ獲得に失敗しました" beyond kMaxRegionRuns runs.
std::vector<Run> BitmapRegionRuns(const Image& bitmap);

// The rectangles of a shape in the order the system keeps a region (top to bottom, then left to right),
// consecutive rows with the same runs merged into one band, so that the region is made in one step.
// `runs` come row by row from the top, each row from the left, as the scans above give them.
std::vector<Rect> BandedRects(const std::vector<Run>& runs);

} // namespace qv::skin
