#pragma once
// Window and button shapes as horizontal runs of pixels. The platform's region objects are made from
// the runs elsewhere (win32/form_rgn.h, win32/rgn_btn.h); the scans are here.
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

// TFormRgn's scan of a picture shown in a control `width` x `height`: in rows 1 ... height - 1, the
// maximal runs of pixels other than `transparent` within columns 1 ... width - 1. Row 0 and column 0
// never belong to the shape; places outside the picture never read as `transparent`.
std::vector<Run> FormRegionRuns(const Image& picture, Pixel transparent, int width, int height);

// Where AddRun puts a picture control's pixel (0, 0) in its window, counted from the window's outer
// top-left corner: the side borders are taken to be equal left, right and bottom, the rest of the
// non-client height to lie on top.
Point FormRegionOffset(int left, int top, Size outer, Size client);

// The shape of a button picture: every run of pixels differing from the bottom-left pixel (palette
// index, or colour), row by row. Raises AppError "ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません" for no picture,
// "幅または高さが 0 です" for a zero size, "ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です" when a row still has pixels to scan
// after its 101st run.
std::vector<Run> BitmapRegionRuns(const Image& bitmap);

} // namespace qv::skin
