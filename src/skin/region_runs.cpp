#include "skin/region_runs.h"

#include "base/app_error.h"

namespace qv::skin {

std::vector<Run> FormRegionRuns(const Image& picture, Pixel transparent, int width, int height) {
    const PixelBuffer& pixels = picture.Pixels();
    auto is_transparent = [&](int x, int y) {
        return x < pixels.Width() && y < pixels.Height() && pixels.At(x, y) == transparent;
    };
    std::vector<Run> runs;
    for (int y = 1; y < height; ++y) {
        int x = 1;
        while (x < width) {
            while (x < width && is_transparent(x, y)) ++x;
            if (x >= width) break;
            const int start = x;
            while (x < width && !is_transparent(x, y)) ++x;
            if (runs.size() == kMaxRegionRuns) throw AppError(L"CreateRectRgnに失敗しました");
            runs.push_back({start, x, y});
        }
    }
    return runs;
}

Point FormRegionOffset(int left, int top, Size outer, Size client) {
    const int side = (outer.cx - client.cx) / 2;
    return {left + side, top + (outer.cy - client.cy) - side};
}

std::vector<Run> BitmapRegionRuns(const Image& bitmap) {
    if (bitmap.Empty()) throw AppError(L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w == 0 || h == 0) throw AppError(L"幅または高さが 0 です");
    const std::uint32_t key = bitmap.KeyAt(0, h - 1);
    std::vector<Run> runs;
    for (int y = 0; y < h; ++y) {
        int x = 0;
        int count = 0;
        while (x < w) {
            if (count > 100) throw AppError(L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です");
            while (x < w && bitmap.KeyAt(x, y) == key) ++x;
            if (x >= w) break;
            const int start = x;
            while (x < w && bitmap.KeyAt(x, y) != key) ++x;
            if (runs.size() == kMaxRegionRuns) throw AppError(L"ﾒﾓﾘ獲得に失敗しました");
            runs.push_back({start, x, y});
            ++count;
            ++x;  // the key pixel that ended the run
        }
    }
    return runs;
}

std::vector<Rect> BandedRects(const std::vector<Run>& runs) {
    std::vector<Rect> rects;
    rects.reserve(runs.size());
    std::size_t band = 0;  // the first rectangle of the last band
    for (std::size_t row = 0; row < runs.size();) {
        const int y = runs[row].Y;
        std::size_t end = row;
        while (end < runs.size() && runs[end].Y == y) ++end;
        const std::size_t count = end - row;
        bool same = !rects.empty() && rects.back().bottom == y && rects.size() - band == count;
        for (std::size_t i = 0; same && i < count; ++i) {
            same = rects[band + i].left == runs[row + i].Left && rects[band + i].right == runs[row + i].Right;
        }
        if (same) {
            for (std::size_t i = 0; i < count; ++i) rects[band + i].bottom = y + 1;
        } else {
            band = rects.size();
            for (std::size_t i = row; i < end; ++i) rects.push_back({runs[i].Left, y, runs[i].Right, y + 1});
        }
        row = end;
    }
    return rects;
}

} // namespace qv::skin
