#include "skin/canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "skin/arithmetic.h"

namespace qv::skin {
namespace {

TEST(CanvasTest, BuffersBeyondTheCapAreRefusedBeforeTheSizeWraps) {
    // 65536 x 65537 pixels wrap to 65536 in a 32-bit size: the buffer would be far smaller than its rows.
    EXPECT_THROW(PixelBuffer(65536, 65537), std::bad_alloc);
    EXPECT_THROW(PixelBuffer(kMaxPixels / 1000 + 1, 1000), std::bad_alloc);
    EXPECT_EQ(PixelBuffer(4096, 4096).Extent(), (Size{4096, 4096}));
}

TEST(CanvasTest, RectanglesFromHugeSizesStopAtTheIntegerRange) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    EXPECT_EQ(Rect::FromSize(kMax - 5, 0, 100, 1).right, kMax);
    EXPECT_EQ(Rect::FromSize(0, kMin + 5, 1, -100).bottom, kMin);
    EXPECT_EQ(Rect::FromSize(-5, 7, 10, 20), (Rect{-5, 7, 5, 27}));
    EXPECT_EQ((Rect{kMax - 5, kMin + 5, kMax, kMin + 6}).Offset(10, -10), (Rect{kMax, kMin, kMax, kMin}));
    EXPECT_EQ((Rect{kMin, kMax, kMax, kMin}).Width(), kMax);
    EXPECT_EQ((Rect{kMin, kMax, kMax, kMin}).Height(), kMin);
}

// Own coordinates and origins anywhere in the int range: what lies beyond it is out of reach, not wrapped.
TEST(CanvasTest, CoordinatesNearTheIntegerLimitsStayClipped) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    PixelBuffer source(2, 1);
    source.Set(0, 0, 5);
    source.Set(1, 0, 6);
    struct Case {
        const char* name;
        Point origin;  // where own (0, 0) lies in the 4 x 4 buffer
        std::function<void(Canvas&)> draw;
        const char* rows;  // the buffer afterwards, row by row
    };
    const Case cases[] = {
        {"a pixel beyond the range", {2, 2}, [](Canvas& c) { c.SetPixel(kMax, kMax, 1); }, "0000000000000000"},
        {"a rectangle at the end", {2, 2}, [](Canvas& c) { c.FillRect({kMax - 3, -2, kMax, 2}, 1); },
         "0000000000000000"},
        {"a source from far off", {2, 2}, [&](Canvas& c) { c.Copy(source, {kMin, kMin, 2, 1}, {kMax, -2}); },
         "0000000000000000"},
        {"an ellipse at the end", {2, 2}, [](Canvas& c) { c.Ellipse({kMax - 4, -2, kMax, 2}, 1, 1); },
         "0000000000000000"},
        {"an origin at the end", {kMin, kMin}, [](Canvas& c) { c.Ellipse({0, 0, kMax, kMax}, 1, 1); },
         "0000000000000000"},
        {"an ellipse over the whole range", {2, 2}, [](Canvas& c) { c.Ellipse({kMin, kMin, kMax, kMax}, 1, 2); },
         "2222222222222222"},
        {"a stretch over the whole range", {2, 2},
         [&](Canvas& c) { c.Stretch(source, source.Bounds(), {kMin, kMin, kMax, kMax}); }, "5566556655665566"},
    };
    for (const Case& c : cases) {
        PixelBuffer buffer(4, 4, 0);
        Canvas canvas(buffer, c.origin, buffer.Bounds());
        c.draw(canvas);
        std::string rows;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) rows += static_cast<char>('0' + buffer.At(x, y));
        }
        EXPECT_EQ(rows, c.rows) << c.name;
    }
}

TEST(CanvasTest, ColourLayoutsConvert) {
    // The program's colours are 0x00BBGGRR, buffer pixels 0x00RRGGBB (a DIB's B, G, R, 0 bytes).
    EXPECT_EQ(ToPixel(0x00FF8000), 0x0080FFu);
    EXPECT_EQ(ToColor(0x0080FFu), 0x00FF8000u);
    EXPECT_EQ(ToPixel(0xABCDEF), ToPixel(0x80ABCDEF & 0xFFFFFF));
}

TEST(CanvasTest, DrawingStaysInsideTheClip) {
    PixelBuffer buffer(10, 10, 0);
    // A control at (2, 3), 4 x 4.
    Canvas canvas = Canvas(buffer).Sub({2, 3, 6, 7});
    canvas.FillRect({-5, -5, 50, 50}, 7);
    int painted = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) painted += buffer.At(x, y) == 7;
    }
    EXPECT_EQ(painted, 16);
    EXPECT_EQ(buffer.At(2, 3), 7u);
    EXPECT_EQ(buffer.At(5, 6), 7u);

    PixelBuffer source(5, 5, 9);
    canvas.Copy(source, {-1, -2});  // partly above and left of the control
    EXPECT_EQ(buffer.At(2, 3), 9u);
    EXPECT_EQ(buffer.At(5, 5), 9u);
    EXPECT_EQ(buffer.At(5, 6), 7u);  // the source ends at row 2 of the control
    canvas.Line(-3, 1, 20, 1, 4);
    EXPECT_EQ(buffer.At(1, 4), 0u);
    EXPECT_EQ(buffer.At(6, 4), 0u);
}

TEST(CanvasTest, RectangleLinesAndFramesFollowGdiEdges) {
    PixelBuffer buffer(6, 6, 0);
    Canvas canvas(buffer);
    canvas.Rectangle({1, 1, 5, 5}, std::nullopt, 3);  // no pen: one pixel smaller
    EXPECT_EQ(buffer.At(3, 3), 3u);
    EXPECT_EQ(buffer.At(4, 4), 0u);
    canvas.Rectangle({1, 1, 5, 5}, 1, 2);
    EXPECT_EQ(buffer.At(4, 4), 1u);
    EXPECT_EQ(buffer.At(2, 2), 2u);
    canvas.Line(0, 5, 5, 0, 6);  // the end point is left out
    EXPECT_EQ(buffer.At(0, 5), 6u);
    EXPECT_EQ(buffer.At(4, 1), 6u);
    EXPECT_EQ(buffer.At(5, 0), 0u);
}

TEST(CanvasTest, MasksBlendByCoverageOrCombineByExclusiveOr) {
    PixelBuffer buffer(3, 1, 0x000000);
    PixelBuffer mask(3, 1, 0);
    mask.Set(0, 0, 0xFFFFFF);
    mask.Set(1, 0, 0x808080);
    Canvas canvas(buffer);
    canvas.DrawMask(mask, {0, 0}, 0xFF0000);
    EXPECT_EQ(buffer.At(0, 0), 0xFF0000u);
    EXPECT_EQ(buffer.At(1, 0), 0x800000u);
    EXPECT_EQ(buffer.At(2, 0), 0u);
    canvas.XorMask(mask, {0, 0}, Rect{1, 0, 3, 1});  // limited: the first pixel stays
    EXPECT_EQ(buffer.At(0, 0), 0xFF0000u);
    EXPECT_EQ(buffer.At(1, 0), 0x800000u ^ 0x808080u);
}

TEST(CanvasTest, KeyedAndStretchedCopies) {
    PixelBuffer source(2, 2, 5);
    source.Set(1, 1, 0xFF00FF);
    PixelBuffer buffer(4, 4, 1);
    Canvas canvas(buffer);
    canvas.CopyKeyed(source, source.Bounds(), {0, 0}, 0xFF00FF);
    EXPECT_EQ(buffer.At(1, 1), 1u);
    EXPECT_EQ(buffer.At(0, 1), 5u);
    canvas.Stretch(source, source.Bounds(), {0, 0, 4, 4}, 0xFF00FF);
    EXPECT_EQ(buffer.At(1, 1), 5u);
    EXPECT_EQ(buffer.At(3, 3), 1u);
    EXPECT_EQ(buffer.At(3, 1), 5u);
}

TEST(ArithmeticTest, RoundingRules) {
    struct Case {
        std::int64_t a, b, c;
        std::int64_t nearest_even, half_away, trunc;
    };
    const Case cases[] = {
        {5, 1, 2, 2, 3, 2},        {7, 1, 2, 4, 4, 3},      {-5, 1, 2, -2, -3, -2},
        {1, 2, 3, 1, 1, 0},        {100, 1, 3, 33, 33, 33}, {1, 255, 14, 18, 18, 18},
        {7, 255, 14, 128, 128, 127}, {300, 4LL << 30, 8LL << 30, 150, 150, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDivNearest(c.a, c.b, c.c), c.nearest_even) << c.a << " " << c.b << " " << c.c;
        EXPECT_EQ(MulDivRound(c.a, c.b, c.c), c.half_away);
        EXPECT_EQ(MulDivTrunc(c.a, c.b, c.c), c.trunc);
    }
    // A product beyond 64 bits still gives a sensible quotient.
    EXPECT_EQ(MulDivTrunc(INT64_MAX / 2, 4, 4), INT64_MAX / 2);
}

// A product of exactly the most negative 64-bit value fits, but its negation for a negative divisor does not.
TEST(ArithmeticTest, TheMostNegativeProductOverANegativeDivisor) {
    EXPECT_EQ(MulDivNearest(INT64_MIN, 1, -2), INT64_C(1) << 62);
    EXPECT_EQ(MulDivRound(INT64_MIN / 4, 4, -2), INT64_C(1) << 62);
    EXPECT_EQ(MulDivNearest(INT64_MIN, 1, -1), INT64_MAX);
    EXPECT_EQ(MulDivRound(INT64_MIN, 1, -1), INT64_MAX);
}

} // namespace
} // namespace qv::skin
