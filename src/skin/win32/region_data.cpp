#include "skin/win32/region_data.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qv::skin::win {
namespace {

// Rectangles per block of region data. Wine makes a region from its data by uniting the rectangles one
// at a time, each union copying the region so far: blocks stay small, and the blocks' regions are united
// in pairs of equal size, so that n rectangles cost about n log n. The union is the same whichever way
// the rectangles are grouped.
constexpr std::size_t kRectsPerBlock = 32;

static_assert(sizeof(RGNDATAHEADER) == 2 * sizeof(RECT));

// `rect_at(i)`: the i-th of `count` rectangles.
template <class RectAt>
qv::win::UniqueRegion UniteInBlocks(std::size_t count, const XFORM* transform, RectAt rect_at) {
    if (count == 0) return qv::win::UniqueRegion(::CreateRectRgn(0, 0, 0, 0));

    struct Pending {
        qv::win::UniqueRegion region;
        int level;  // made of 2^level blocks
    };
    std::vector<Pending> pending;
    std::vector<RECT> block(2 + kRectsPerBlock);  // the header, then the rectangles
    for (std::size_t first = 0; first < count; first += kRectsPerBlock) {
        const std::size_t n = std::min(kRectsPerBlock, count - first);
        RGNDATAHEADER header{};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(n);
        header.nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
        header.rcBound = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (std::size_t i = 0; i < n; ++i) {
            const RECT r = rect_at(first + i);
            block[2 + i] = r;
            header.rcBound = {std::min(header.rcBound.left, r.left), std::min(header.rcBound.top, r.top),
                              std::max(header.rcBound.right, r.right), std::max(header.rcBound.bottom, r.bottom)};
        }
        std::memcpy(block.data(), &header, sizeof(header));
        qv::win::UniqueRegion piece(::ExtCreateRegion(transform, static_cast<DWORD>(sizeof(header) + header.nRgnSize),
                                                      reinterpret_cast<const RGNDATA*>(block.data())));
        if (!piece) return {};
        int level = 0;
        while (!pending.empty() && pending.back().level == level) {
            if (::CombineRgn(piece.get(), pending.back().region.get(), piece.get(), RGN_OR) == ERROR) return {};
            pending.pop_back();
            ++level;
        }
        pending.push_back({std::move(piece), level});
    }
    qv::win::UniqueRegion shape = std::move(pending.back().region);
    pending.pop_back();
    for (; !pending.empty(); pending.pop_back()) {
        if (::CombineRgn(shape.get(), pending.back().region.get(), shape.get(), RGN_OR) == ERROR) return {};
    }
    return shape;
}

} // namespace

qv::win::UniqueRegion RegionFromRects(const std::vector<Rect>& rects, Point offset) {
    return UniteInBlocks(rects.size(), nullptr, [&](std::size_t i) {
        const Rect& r = rects[i];
        return RECT{r.left + offset.x, r.top + offset.y, r.right + offset.x, r.bottom + offset.y};
    });
}

qv::win::UniqueRegion RegionFromRegionRects(const void* rects, std::size_t count, const XFORM* transform) {
    const auto* bytes = static_cast<const unsigned char*>(rects);
    return UniteInBlocks(count, transform, [&](std::size_t i) {
        RECT r;
        std::memcpy(&r, bytes + i * sizeof(RECT), sizeof(RECT));
        return r;
    });
}

} // namespace qv::skin::win
