#include "skin/region_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/app_error.h"

namespace qv::skin {
namespace {

using Runs = std::vector<qv::skin::Run>;

constexpr Pixel T = 0xFF00FF;
constexpr Pixel A = 0x123456;

// Rows of letters: 'T' the transparent colour, anything else a colour of its own.
Image Picture(const std::vector<std::string>& rows) {
    PixelBuffer pixels(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) pixels.Set(x, y, rows[y][x] == 'T' ? T : 0x010101u * rows[y][x]);
    }
    return Image(std::move(pixels));
}

std::wstring ErrorText(const Image& image) {
    try {
        BitmapRegionRuns(image);
    } catch (const AppError& e) {
        return e.text();
    }
    return L"(no error)";
}

TEST(FormRegionRunsTest, RunsOfRowsAndColumnsFromOne) {
    struct Case {
        std::vector<std::string> rows;
        Runs runs;
    };
    const Case cases[] = {
        // Row 2 reads T, A, A, T, A.
        {{"AAAAA", "AAAAA", "TAATA"}, {{1, 5, 1}, {1, 3, 2}, {4, 5, 2}}},
        // All transparent: an empty shape.
        {std::vector<std::string>(4, "TTTTTTTTTT"), {}},
        // Nothing transparent: columns 1 ... W - 1 of rows 1 ... H - 1.
        {{"AAA", "AAA", "AAA"}, {{1, 3, 1}, {1, 3, 2}}},
        // Single pixels, and a run reaching the right edge.
        {{"TTTTT", "TATAT", "TTTAA"}, {{1, 2, 1}, {3, 4, 1}, {3, 5, 2}}},
    };
    for (const Case& c : cases) {
        const Image picture = Picture(c.rows);
        EXPECT_EQ(FormRegionRuns(picture, T, picture.Width(), picture.Height()), c.runs);
    }
}

TEST(FormRegionRunsTest, PlacesBeyondThePictureAreNeverTransparent) {
    const Image picture = Picture({"TT", "TT"});
    EXPECT_EQ(FormRegionRuns(picture, T, 4, 3), (Runs{{2, 4, 1}, {1, 4, 2}}));
}

// The scan as the window-shaping routine was first written: every pixel examined against its left
// neighbour, reading one place past the right edge.
Runs ReferenceScan(const Image& picture, Pixel t, int w, int h) {
    auto p = [&](int x, int y) -> std::int64_t {
        if (x < picture.Width() && y < picture.Height()) return picture.Pixels().At(x, y);
        return -1;  // GetPixel outside the bitmap: never the transparent colour
    };
    Runs runs;
    int start = 1;
    for (int y = 1; y <= h - 1; ++y) {
        for (int x = 1; x <= w; ++x) {
            if ((p(x - 1, y) == t || x == 1) && p(x, y) != t) {
                start = x;
            } else if (p(x - 1, y) == t) {
                continue;
            } else if ((p(x, y) == t || x == w) && x != 1) {
                runs.push_back({start, x, y});
            }
        }
    }
    return runs;
}

TEST(FormRegionRunsTest, SameShapeAsThePixelByPixelScan) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 12), h = 1 + static_cast<int>(random() % 6);
        PixelBuffer pixels(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) pixels.Set(x, y, random() % 3 == 0 ? A : T);
        }
        const Image picture(std::move(pixels));
        const int cw = w + static_cast<int>(random() % 3), ch = h + static_cast<int>(random() % 2);
        EXPECT_EQ(FormRegionRuns(picture, T, cw, ch), ReferenceScan(picture, T, cw, ch)) << round;
    }
}

TEST(FormRegionRunsTest, OffsetOfTheMainWindowsBackgroundPicture) {
    // At (-2, 0) in a 221 x 108 client with a one-pixel frame (outer 223 x 110).
    EXPECT_EQ(FormRegionOffset(-2, 0, {223, 110}, {221, 108}), (Point{-1, 1}));
    // A captioned window: side borders of 4, 26 pixels on top.
    EXPECT_EQ(FormRegionOffset(0, 0, {208, 130}, {200, 100}), (Point{4, 26}));
}

TEST(BitmapRegionRunsTest, TheBottomLeftPixelIsTransparent) {
    // Red in the bottom-left corner: every red pixel is outside the shape.
    const Image image = Picture({"RAARA", "AARRA", "RRRRR", "RAAAR"});
    EXPECT_EQ(BitmapRegionRuns(image),
              (Runs{{1, 3, 0}, {4, 5, 0}, {0, 2, 1}, {4, 5, 1}, {1, 4, 3}}));
}

TEST(BitmapRegionRunsTest, PaletteIndicesDecideNotColours) {
    // Two palette entries of the same colour: only the bottom-left pixel's index is transparent.
    PixelBuffer pixels(3, 2, 0xFFFFFF);
    const Image image(std::move(pixels), Image::ifBitmap, {1, 2, 1, 2, 1, 1});
    EXPECT_EQ(BitmapRegionRuns(image), (Runs{{0, 1, 0}, {2, 3, 0}, {1, 3, 1}}));
}

TEST(BitmapRegionRunsTest, ARowMayHoldAtMost101Runs) {
    auto alternating = [](int length) {
        std::string row;
        for (int i = 0; i < length; ++i) row += i % 2 == 0 ? 'A' : 'T';
        return Picture({row, "T" + std::string(static_cast<std::size_t>(length - 1), 'A')});
    };
    EXPECT_EQ(ErrorText(alternating(203)), L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です");  // 102 runs
    EXPECT_EQ(BitmapRegionRuns(alternating(201)).size(), 101u + 1u);   // 101 runs and the second row's one
    EXPECT_EQ(BitmapRegionRuns(alternating(202)).size(), 101u + 1u);   // the 101st run ends the row
}

TEST(BitmapRegionRunsTest, MissingOrEmptyPictures) {
    EXPECT_EQ(ErrorText(Image()), L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    EXPECT_EQ(ErrorText(Image::Filled(0, 0, T)), L"幅または高さが 0 です");
    EXPECT_EQ(ErrorText(Image::Filled(5, 0, T)), L"幅または高さが 0 です");
    // A picture all of its own bottom-left colour: an empty shape, not an error.
    EXPECT_TRUE(BitmapRegionRuns(Image::Filled(8, 8, T)).empty());
}

TEST(BandedRectsTest, AlikeRowsMergeIntoOneBand) {
    using Rects = std::vector<Rect>;
    EXPECT_TRUE(BandedRects({}).empty());
    // Rows 1 and 2 alike, row 3 differs, row 4 as row 3 again, row 6 after a gap.
    const Runs runs{{1, 3, 1}, {5, 6, 1}, {1, 3, 2}, {5, 6, 2}, {1, 3, 3},
                    {5, 7, 3}, {1, 3, 4}, {5, 7, 4}, {1, 3, 6}, {5, 7, 6}};
    EXPECT_EQ(BandedRects(runs),
              (Rects{{1, 1, 3, 3}, {5, 1, 6, 3}, {1, 3, 3, 5}, {5, 3, 7, 5}, {1, 6, 3, 7}, {5, 6, 7, 7}}));
    // Same first run, one run more: a band of its own.
    EXPECT_EQ(BandedRects({{0, 4, 0}, {0, 4, 1}, {6, 8, 1}}), (Rects{{0, 0, 4, 1}, {0, 1, 4, 2}, {6, 1, 8, 2}}));
}

TEST(FormRegionRunsTest, ShapeOfMoreRunsThanAnyScreenIsRefused) {
    // Alternating pixels: 2048 runs a row, 2049 rows after row 0 is more than kMaxRegionRuns.
    PixelBuffer pixels(4097, 2050, A);
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); x += 2) pixels.Set(x, y, T);
    }
    const Image picture(std::move(pixels));
    try {
        FormRegionRuns(picture, T, 4097, 2050);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), L"CreateRectRgnに失敗しました");
    }
    EXPECT_EQ(FormRegionRuns(picture, T, 4097, 2048).size(), 2048u * 2047u);
}

} // namespace
} // namespace qv::skin
