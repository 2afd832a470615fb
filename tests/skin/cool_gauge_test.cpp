#include "skin/cool_gauge.h"

#include <gtest/gtest.h>

#include <climits>

#include "skin/fake_surface.h"

namespace qv::skin {
namespace {

using test::FakeSurface;

struct CoolGaugeFixture : ::testing::Test {
    // A gauge without text and frame unless a test wants them, so that its pixels are the fill alone.
    TCoolGauge& Place(int width, int height) {
        gauge.SetBounds(0, 0, width, height);
        gauge.SetParent(&surface.host);
        gauge.SetText(L"");
        gauge.SetBorderStyle(bsNone);
        surface.PaintAll();
        return gauge;
    }

    FakeSurface surface{320, 40};
    TCoolGauge gauge;
};

TEST_F(CoolGaugeFixture, DitheredBandsStepOneUnitFromTheFirstColourAndEndOnTheSecond) {
    Place(300, 20).SetProgress(100);
    surface.PaintAll();
    struct Band {
        int index;
        Color color;
    };
    // Defaults: blue $FF0000 to red $0000FF; band i starts at i x 300 / 256.
    const Band bands[] = {{0, MakeColor(1, 0, 254)}, {1, MakeColor(2, 0, 253)}, {100, MakeColor(101, 0, 154)},
                          {254, MakeColor(255, 0, 0)}, {255, 0x0000FF}};
    for (const Band& band : bands) {
        const int left = band.index * 300 / 256;
        const int right = (band.index + 1) * 300 / 256;
        SCOPED_TRACE(band.index);
        EXPECT_EQ(surface.ColorAt(left, 5), band.color);
        EXPECT_EQ(surface.ColorAt(right - 1, 19), band.color);
    }
    // Band 0 is one pixel (300 / 256 = 1), band 1 starts at x = 1.
    EXPECT_NE(surface.ColorAt(0, 0), surface.ColorAt(1, 0));
}

TEST_F(CoolGaugeFixture, GradientTakesTheLowBytesOfColoursAsTheyAre) {
    Place(256, 4);
    // A system colour is not resolved for the gradient: $8000000F is red $0F, green 0, blue 0.
    gauge.SetForeColor1(clBtnFace);
    gauge.SetForeColor2(MakeColor(0x0F, 0, 0));
    gauge.SetProgress(100);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(0, 0), MakeColor(0x0F, 0, 0));
    EXPECT_EQ(surface.ColorAt(255, 0), MakeColor(0x0F, 0, 0));
}

TEST_F(CoolGaugeFixture, FilledWidthIsTheNearestPixelWithHalvesToEven) {
    struct Case {
        int width;
        std::int64_t max;
        std::int64_t progress;
        int filled;
    };
    const Case cases[] = {
        {100, 100, 37, 37},
        {100, 200, 1, 0},    // 0.5 -> 0
        {100, 200, 3, 2},    // 1.5 -> 2
        {100, 200, 5, 2},    // 2.5 -> 2
        {100, 3, 2, 67},     // 66.67
        {300, 100, 100, 300},
        // Bytes: 8 GiB of memory with 4 GiB free is half the bar.
        {100, 8LL << 30, 4LL << 30, 50},
        {100, 8LL << 30, (8LL << 30) - 1, 100},
    };
    for (const Case& c : cases) {
        TCoolGauge g;
        g.SetWidth(c.width);
        g.SetMaxValue(c.max);
        g.SetProgress(c.progress);
        EXPECT_EQ(g.FilledWidth(), c.filled) << c.width << " " << c.max << " " << c.progress;
    }
}

TEST_F(CoolGaugeFixture, PaintsFillBackgroundTextAndFrame) {
    Place(100, 16);
    gauge.SetBackColor(0x00FFFF);
    gauge.SetStyle(sSolid);
    gauge.SetForeColor1(clBlue);
    gauge.SetText(L"%d%%");
    gauge.SetBorderStyle(bsSingle);
    Font font;
    font.FontColor = clRed;
    font.Height = -10;
    gauge.SetFont(font);
    gauge.SetProgress(30);
    surface.PaintAll();
    EXPECT_EQ(surface.text.rendered.back(), L"30%");
    // Frame in the font colour.
    EXPECT_EQ(surface.ColorAt(0, 0), clRed);
    EXPECT_EQ(surface.ColorAt(99, 15), clRed);
    EXPECT_EQ(surface.ColorAt(15, 1), clBlue);
    EXPECT_EQ(surface.ColorAt(29, 1), clBlue);
    EXPECT_EQ(surface.ColorAt(30, 1), 0x00FFFF);
    // "30%" is 18 x 10: at ((100 - 18) / 2, (16 - 10) / 2) = (41, 3).
    EXPECT_EQ(surface.ColorAt(41, 3), clRed);
    EXPECT_EQ(surface.ColorAt(58, 12), clRed);
    EXPECT_EQ(surface.ColorAt(40, 3), 0x00FFFF);
    EXPECT_EQ(surface.ColorAt(59, 12), 0x00FFFF);
    EXPECT_EQ(surface.ColorAt(41, 2), 0x00FFFF);
}

TEST_F(CoolGaugeFixture, TextFormatsThePercentageOrStandsAsItIs) {
    struct Case {
        std::wstring text;
        std::int64_t max;
        std::int64_t progress;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"%d%%", 100, 42, L"42%"},
        {L"%d%%", 8, 1, L"12%"},  // 12.5 -> 12
        {L"%d%%", 8, 3, L"38%"},  // 37.5 -> 38
        {L"38/256 MB", 100, 42, L"38/256 MB"},
        {L"50% off", 100, 42, L"50% off"},
        {L"[%3d]", 100, 7, L"[  7]"},
        {L"", 100, 42, L""},
    };
    for (const Case& c : cases) {
        TCoolGauge g;
        g.SetMaxValue(c.max);
        g.SetProgress(c.progress);
        g.SetText(c.text);
        EXPECT_EQ(g.DisplayText(), c.shown) << c.text;
    }
}

TEST_F(CoolGaugeFixture, TextTooWideForTheFrameIsDrawnSmallerInTheSameFace) {
    Place(100, 16);
    surface.text.CellWidth = 0;  // half the font's height: a smaller font is narrower
    gauge.SetBorderStyle(bsSingle);
    const Font font{L"ＭＳ Ｐゴシック", -13, fsBold, kDefaultCharset, clRed};
    gauge.SetFont(font);
    struct Case {
        std::wstring text;
        int height;
    };
    const Case cases[] = {
        {L"%d%%", -13},               // fits as it is
        {L"23284/24105 MB", -12},     // 98 px at 13, 84 at 12
        {L"123456/1234567 MB", -10},  // 102 px at 12 and 11, 85 at 10
        // No smaller than that; centred and cut.
        {std::wstring(40, L'8'), -kSmallestGaugeTextHeight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        gauge.SetText(c.text);
        surface.PaintAll();
        const Font& drawn = surface.text.fonts.back();
        EXPECT_EQ(drawn.Height, c.height);
        EXPECT_EQ(drawn.Name, font.Name);
        EXPECT_EQ(drawn.Style, font.Style);
        if (c.height == -kSmallestGaugeTextHeight) continue;
        // A pixel of the gauge's colours stays between the text and the frame on both sides.
        for (int y = 1; y < 15; ++y) {
            EXPECT_EQ(surface.ColorAt(1, y), clWhite) << y;
            EXPECT_EQ(surface.ColorAt(98, y), clWhite) << y;
        }
    }
    EXPECT_EQ(gauge.Font().Height, -13) << "the gauge's own font changed";
}

TEST_F(CoolGaugeFixture, NoTextDrawsNoText) {
    Place(100, 16);
    surface.text.rendered.clear();
    gauge.SetProgress(50);
    surface.PaintAll();
    EXPECT_TRUE(surface.text.rendered.empty());
}

TEST_F(CoolGaugeFixture, ValueRules) {
    TCoolGauge g;
    g.SetProgress(40);
    g.SetProgress(150);  // above the maximum: ignored
    EXPECT_EQ(g.Progress(), 40);
    g.SetProgress(-1);
    EXPECT_EQ(g.Progress(), 40);

    g.SetMaxValue(30);  // lowers the progress with it
    EXPECT_EQ(g.MaxValue(), 30);
    EXPECT_EQ(g.Progress(), 30);
    g.SetMaxValue(0);  // not above the minimum: refused
    EXPECT_EQ(g.MaxValue(), 30);
    EXPECT_EQ(g.Progress(), 0);

    TCoolGauge h;
    h.SetMaxValue(40);
    h.SetMinValue(50);  // not below the maximum: the minimum stays, the progress is raised anyway
    EXPECT_EQ(h.MinValue(), 0);
    EXPECT_EQ(h.Progress(), 50);
    h.SetMinValue(10);
    EXPECT_EQ(h.MinValue(), 10);
    h.SetMinValue(INT64_MAX);  // a progress far past the maximum fills the bar, and more
    EXPECT_EQ(h.FilledWidth(), INT_MAX);
}

TEST_F(CoolGaugeFixture, RepaintsOnlyWhenTheBarOrTheTextChanges) {
    Place(50, 16);
    gauge.SetText(L"%d%%");
    struct Step {
        std::int64_t progress;
        bool repainted;
    };
    const Step steps[] = {
        {50, true},   // 25 px, "50%"
        {50, false},  // unchanged
        {51, true},   // 25.5 -> 26 px
        {52, true},   // 26 px, but "52%"
        {150, false}, // ignored
    };
    for (const Step& s : steps) {
        surface.Clear();
        gauge.SetProgress(s.progress);
        EXPECT_EQ(!surface.screen.presented.empty(), s.repainted) << s.progress;
    }

    // A finished text (the memory gauge's) repaints only when the bar moves.
    gauge.SetText(L"1/2 MB");
    gauge.SetMaxValue(1000000);
    gauge.SetProgress(520000);  // 26 px
    surface.Clear();
    gauge.SetProgress(520001);
    EXPECT_TRUE(surface.screen.presented.empty());
}

TEST_F(CoolGaugeFixture, StyleChangeRedrawsTheFillInTheNewStyle) {
    Place(100, 4);
    gauge.SetProgress(100);
    surface.PaintAll();
    EXPECT_NE(surface.ColorAt(0, 0), surface.ColorAt(99, 0));
    gauge.SetStyle(sSolid);
    EXPECT_EQ(surface.ColorAt(0, 0), 0xFF0000);
    EXPECT_EQ(surface.ColorAt(99, 0), 0xFF0000);
    // A system colour is resolved for the solid fill.
    gauge.SetForeColor1(clBtnFace);
    EXPECT_EQ(surface.ColorAt(50, 0), 0xC0C0C0);
}

TEST_F(CoolGaugeFixture, GradientFollowsSizeAndColourChanges) {
    Place(100, 4);
    gauge.SetProgress(100);
    gauge.SetWidth(200);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(199, 0), 0x0000FF);
    // Narrower than 256: band 0 is empty (0 ... 200 / 256), pixel 0 is band 1.
    EXPECT_EQ(surface.ColorAt(0, 0), MakeColor(2, 0, 253));
    gauge.SetForeColor2(0x00FF00);
    EXPECT_EQ(surface.ColorAt(199, 0), 0x00FF00);
}

TEST_F(CoolGaugeFixture, ZeroMaximumDrawsAnEmptyGauge) {
    Place(100, 4);
    gauge.SetProgress(0);
    gauge.SetMaxValue(0);  // refused (not above the minimum), so force the case through the minimum
    gauge.SetMinValue(-10);
    gauge.SetMaxValue(0);
    EXPECT_EQ(gauge.MaxValue(), 0);
    EXPECT_EQ(gauge.FilledWidth(), 0);
    gauge.SetText(L"%d%%");
    EXPECT_EQ(gauge.DisplayText(), L"0%");
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(0, 0), clWhite);
}

} // namespace
} // namespace qv::skin
