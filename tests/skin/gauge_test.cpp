#include "skin/gauge.h"

#include <gtest/gtest.h>

#include "base/app_error.h"
#include "skin/fake_surface.h"

namespace qv::skin {
namespace {

using test::FakeSurface;

std::wstring ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.text();
    }
    return L"(no error)";
}

TEST(TGaugeTest, RangeErrorsNameTheBoundsAndKeepTheOldValue) {
    TGauge g;
    EXPECT_EQ(ErrorText([&] { g.SetMinValue(200); }), L"-2147483647 から 99 の間の値でなければなりません");
    EXPECT_EQ(g.MinValue(), 0);
    g.SetMinValue(10);
    EXPECT_EQ(ErrorText([&] { g.SetMaxValue(5); }), L"11 から 2147483647 の間の値でなければなりません");
    EXPECT_EQ(g.MaxValue(), 100);
    // While loading, the order of the stored values must not matter.
    g.SetLoading(true);
    g.SetMinValue(500);
    EXPECT_EQ(g.MinValue(), 500);
}

TEST(TGaugeTest, ProgressIsClampedAndPercentDoneTruncates) {
    struct Case {
        std::int64_t min, max, set, stored;
        int percent;
    };
    const Case cases[] = {
        {0, 100, 1000, 100, 100}, {0, 100, -5, 0, 0},      {0, 3, 2, 2, 66},
        {10, 20, 15, 15, 50},     {0, 200, 199, 199, 99},  {0, 8LL << 30, 3LL << 30, 3LL << 30, 37},
        {5, 5, 5, 5, 0},
        // Ranges wider than the largest 64-bit value.
        {INT64_MIN, INT64_MAX, 0, 0, 50},  {INT64_MIN, INT64_MAX, -1, -1, 49}, {-1, INT64_MAX, INT64_MAX, INT64_MAX, 100},
    };
    for (const Case& c : cases) {
        TGauge g;
        g.SetMaxValue(c.max);
        g.SetMinValue(c.min);
        g.SetProgress(c.set);
        EXPECT_EQ(g.Progress(), c.stored);
        EXPECT_EQ(g.PercentDone(), c.percent);
    }
}

TEST(TGaugeTest, MinimumAndMaximumDragTheProgressAlong) {
    TGauge g;
    g.SetProgress(50);
    g.SetMinValue(60);
    EXPECT_EQ(g.Progress(), 60);
    g.SetMaxValue(80);
    g.SetProgress(80);
    g.SetMaxValue(70);
    EXPECT_EQ(g.Progress(), 70);
}

struct GaugePaint : ::testing::Test {
    GaugePaint() {
        gauge.SetBounds(0, 0, 100, 20);
        gauge.SetParent(&surface.host);
        gauge.SetShowText(false);
        gauge.SetForeColor(0x0000FF);
        gauge.SetBackColor(0xFFFFFF);
    }
    FakeSurface surface{100, 40};
    TGauge gauge;
};

TEST_F(GaugePaint, HorizontalBarFillsFromTheLeftInsideTheBlackBorder) {
    gauge.SetProgress(50);
    surface.PaintAll();
    // R = (1, 1, 99, 19); W' = 99, f = 49: the bar covers x 1 ... 48.
    EXPECT_EQ(surface.ColorAt(0, 0), 0u);
    EXPECT_EQ(surface.ColorAt(99, 19), 0u);
    EXPECT_EQ(surface.ColorAt(1, 1), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(48, 18), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(49, 1), 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(98, 18), 0xFFFFFFu);
}

TEST_F(GaugePaint, VerticalBarFillsFromTheBottom) {
    gauge.SetKind(TGaugeKind::gkVerticalBar);
    gauge.SetProgress(50);
    surface.PaintAll();
    // H' = 19, f = 9: rows 10 ... 18.
    EXPECT_EQ(surface.ColorAt(50, 10), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(50, 18), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(50, 9), 0xFFFFFFu);
    gauge.SetProgress(100);  // f = H' - 1: rows 1 ... 18, all of R
    EXPECT_EQ(surface.ColorAt(50, 1), 0x0000FFu);
}

TEST_F(GaugePaint, TextIsCombinedByExclusiveOr) {
    surface.text.CellHeight = 4;
    gauge.SetShowText(true);
    gauge.SetProgress(50);
    surface.PaintAll();
    // "50%" is 18 x 4 at ((99 - 18) / 2, (19 - 4) / 2) = (40, 7); it straddles the bar's end at x 48.
    EXPECT_EQ(surface.ColorAt(40, 7), 0x0000FFu ^ 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(50, 7), 0xFFFFFFu ^ 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(39, 7), 0x0000FFu);
    EXPECT_EQ(surface.text.rendered.back(), L"50%");
}

TEST_F(GaugePaint, PieFillsClockwiseFromTwelveOClock) {
    gauge.SetBounds(0, 0, 41, 41);
    gauge.SetKind(TGaugeKind::gkPie);
    gauge.SetProgress(25);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(28, 12), 0x0000FFu);  // top right quarter
    EXPECT_EQ(surface.ColorAt(12, 12), 0xFFFFFFu);  // top left
    EXPECT_EQ(surface.ColorAt(28, 28), 0xFFFFFFu);  // bottom right
    gauge.SetProgress(75);
    EXPECT_EQ(surface.ColorAt(12, 28), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(12, 12), 0xFFFFFFu);
}

TEST_F(GaugePaint, NeedlePointsAlongTheHalfDial) {
    gauge.SetBounds(0, 0, 41, 21);
    gauge.SetKind(TGaugeKind::gkNeedle);
    gauge.SetProgress(50);
    surface.PaintAll();
    // Straight up from (20, 19) towards (20, 0).
    EXPECT_EQ(surface.ColorAt(20, 10), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(10, 10), 0xFFFFFFu);
}

TEST(TLabelGaugeTest, HalfOfAByteRangeWiderThan32BitsIsHalfTheBar) {
    FakeSurface surface(100, 20);
    TLabelGauge g;
    g.SetBounds(0, 0, 100, 20);
    g.SetParent(&surface.host);
    g.SetShowText(false);
    g.SetBorderStyle(bsNone);
    g.SetMaxValue(268435456);
    g.SetProgress(134217728);
    EXPECT_EQ(g.FilledRect(), (Rect{0, 0, 50, 20}));
    g.SetMaxValue(8LL << 30);
    g.SetProgress(2LL << 30);
    EXPECT_EQ(g.FilledRect(), (Rect{0, 0, 25, 20}));
    surface.PaintAll();
    EXPECT_NE(surface.ColorAt(24, 5), 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(25, 5), 0xFFFFFFu);  // the unfilled part in BackColor
    // The widest range there is: its middle is still half the bar.
    g.SetMaxValue(INT64_MAX);
    g.SetMinValue(INT64_MIN);
    g.SetShowText(true);
    g.SetProgress(0);
    EXPECT_EQ(g.FilledRect(), (Rect{0, 0, 50, 20}));
    surface.PaintAll();
    EXPECT_EQ(surface.text.rendered.back(), L"50%");
}

TEST(TLabelGaugeTest, GradientStartsExactlyAtTheFirstColourAndAvoidsTheKey) {
    struct Case {
        bool vertical;
        Color start, end;
    };
    const Case cases[] = {{false, 0xFFFF00, 0x0000FF}, {true, 0x000000, 0xFFFFFF}, {false, clKey, 0x000000}};
    for (const Case& c : cases) {
        PixelBuffer image(300, 300);
        DrawLabelGradient(image, c.vertical, c.start, c.end);
        const Color first = c.start == clKey ? 0xFF00FE : c.start;
        EXPECT_EQ(ToColor(image.At(0, 0)), first);
        bool any_key = false;
        for (int i = 0; i < 300; ++i) any_key |= image.At(i, i) == ToPixel(clKey);
        EXPECT_FALSE(any_key);
        // Whole steps of one unit: the last band drawn inside (254) is one step short of the end.
        const Pixel last = c.vertical ? image.At(0, 299) : image.At(299, 0);
        const Color expected[] = {MakeColor(254, 1, 1), 0xFEFEFE, 0x010001};
        EXPECT_EQ(ToColor(last), expected[&c - cases]);
    }
}

TEST(TLabelGaugeTest, VerticalBarRisesFromTheBottomWithForeColorThere) {
    FakeSurface surface(20, 100);
    TLabelGauge g;
    g.SetBounds(0, 0, 20, 100);
    g.SetParent(&surface.host);
    g.SetShowText(false);
    g.SetBorderStyle(bsNone);
    g.SetKind(TLabelGaugeKind::gkVerticalBar);
    g.SetForeColor(0x0000FF);
    g.SetForeColor2(0xFF0000);
    g.SetProgress(30);
    surface.PaintAll();
    EXPECT_EQ(g.FilledRect(), (Rect{0, 70, 20, 100}));
    EXPECT_EQ(surface.ColorAt(5, 69), 0xFFFFFFu);
    EXPECT_NE(surface.ColorAt(5, 70), 0xFFFFFFu);
    // ForeColor2 is at the top of the gradient, ForeColor at its bottom.
    EXPECT_EQ(surface.ColorAt(5, 99) & 0xFF, 0xFEu);
}

TEST(TLabelGaugeTest, KeyColouredBackgroundIsSeeThroughOnlyWhenTransparent) {
    FakeSurface surface(100, 20, 0x00FF00);
    TLabelGauge g;
    g.SetBounds(0, 0, 100, 20);
    g.SetParent(&surface.host);
    g.SetShowText(false);
    g.SetBackColor(clKey);
    g.SetProgress(50);
    g.SetTransparent(true);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(70, 10), 0x00FF00u);  // the parent shows
    EXPECT_EQ(surface.ColorAt(70, 0), 0u);          // the black frame is drawn
    g.SetTransparent(false);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(70, 10), 0xFF00FEu);
}

TEST(TLabelGaugeTest, RepaintsWhenTheBarMovesEvenIfThePercentageDoesNot) {
    FakeSurface surface(300, 20);
    TLabelGauge g;
    g.SetBounds(0, 0, 300, 20);
    g.SetParent(&surface.host);
    g.SetMaxValue(1000);
    g.SetProgress(500);
    surface.Clear();
    g.SetProgress(504);  // still 50 %, but 151 px instead of 150
    EXPECT_FALSE(surface.screen.presented.empty());
    surface.Clear();
    g.SetProgress(505);  // 151 px, 50 %
    EXPECT_TRUE(surface.screen.presented.empty());
}

TEST(TLabelGaugeTest, DisabledGaugeLeavesTheParentShowing) {
    FakeSurface surface(100, 20, 0x00FF00);
    TLabelGauge g;
    g.SetBounds(0, 0, 100, 20);
    g.SetParent(&surface.host);
    g.SetEnabled(false);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(50, 10), 0x00FF00u);
}

} // namespace
} // namespace qv::skin
