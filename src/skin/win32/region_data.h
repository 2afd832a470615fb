#pragma once
// Regions made from many rectangles without uniting them one by one, which costs time in the square of
// their number: a dithered picture of a screen's size would keep the program from answering for minutes.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "base/win32/unique_handle.h"
#include "skin/pixel_buffer.h"

namespace qv::skin::win {

// The region of `rects` (in the order BandedRects gives them), each moved by `offset`. None when the
// system cannot make it.
qv::win::UniqueRegion RegionFromRects(const std::vector<Rect>& rects, Point offset);

// The region of `count` rectangles of region data (as GetRegionData gives them, read unaligned from
// `rects`), each mapped through `transform` (none: as they are), as ExtCreateRegion makes it from the
// whole block. None when the system cannot make it.
qv::win::UniqueRegion RegionFromRegionRects(const void* rects, std::size_t count, const XFORM* transform);

} // namespace qv::skin::win
