#include "skin/gprogress.h"

#include <gtest/gtest.h>

#include "skin/fake_surface.h"

namespace qv::skin {
namespace {

using test::FakeSurface;

struct GProgressFixture : ::testing::Test {
    GProgressFixture() {
        bar.SetParent(&surface.host);
        bar.SetGradientBar(false);
        bar.SetColor(0x0000FF);
        bar.SetBackgroundColor(0xFFFFFF);
        surface.PaintAll();
    }
    // Which of the 15 block places (x = i x 10 + 2 ... + 8) show the block colour.
    std::string Blocks() const {
        std::string s;
        for (int i = 0; i < 15; ++i) s += surface.ColorAt(i * 10 + 5, 8) == 0x0000FF ? '#' : '.';
        return s;
    }

    FakeSurface surface{150, 16, 0x00FF00};
    TGProgress bar;  // 150 x 16, 0 ... 100
};

TEST_F(GProgressFixture, BlocksForAPosition) {
    struct Case {
        std::int64_t max;
        std::int64_t position;
        std::string blocks;
    };
    const Case cases[] = {
        {100, 50, "########......."},  // n = (50 x 150 - 4) / 100 = 74: blocks 0 ... 7
        {100, 0, "..............."},
        {100, 1, "#.............."},
        {100, 100, "###############"},
        {8LL << 30, 4LL << 30, "########......."},  // a byte range beyond 32 bits
    };
    for (const Case& c : cases) {
        TGProgress b;
        b.SetParent(&surface.host);
        b.SetGradientBar(false);
        b.SetColor(0x0000FF);
        b.SetBackgroundColor(0xFFFFFF);
        b.SetMax(c.max);
        b.SetPosition(c.position);
        surface.PaintAll();
        EXPECT_EQ(Blocks(), c.blocks) << c.position;
        b.SetParent(nullptr);
    }
}

TEST_F(GProgressFixture, BlockGeometryAndFrame) {
    bar.SetPosition(50);
    surface.PaintAll();
    // Block 0 covers x 2 ... 9, y 2 ... 13; the gap x 10, 11 shows the background.
    EXPECT_EQ(surface.ColorAt(2, 2), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(9, 13), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(10, 5), 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(2, 14), 0xFFFFFFu);
    // Shadow on the left and top, highlight on the right and bottom.
    EXPECT_EQ(surface.ColorAt(0, 0), 0x808080u);
    EXPECT_EQ(surface.ColorAt(0, 15), 0x808080u);
    EXPECT_EQ(surface.ColorAt(149, 0), 0x808080u);
    EXPECT_EQ(surface.ColorAt(149, 1), 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(149, 15), 0xFFFFFFu);
    EXPECT_EQ(surface.ColorAt(1, 15), 0xFFFFFFu);

    bar.SetSolid(true);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(10, 5), 0x0000FFu);  // a continuous bar
    EXPECT_EQ(surface.ColorAt(79, 5), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(80, 5), 0xFFFFFFu);
}

TEST_F(GProgressFixture, RisingAddsBlocksOverThePictureFallingRedrawsIt) {
    bar.SetTransparent(true);
    bar.SetPosition(30);
    surface.PaintAll();
    // Something drawn beneath after the last full paint, in a gap and past the blocks.
    surface.pixels.Set(11, 8, 0x123456);
    surface.pixels.Set(100, 8, 0x123456);
    surface.Clear();
    bar.SetPosition(60);
    EXPECT_EQ(Blocks(), "#########......");
    EXPECT_EQ(surface.At(11, 8), 0x123456u);  // not cleared
    EXPECT_EQ(surface.screen.presented.size(), 1u);
    EXPECT_TRUE(surface.screen.scheduled.empty());

    surface.Clear();
    bar.SetPosition(20);
    // A full redraw is scheduled; until it comes the old blocks stay.
    ASSERT_EQ(surface.screen.scheduled.size(), 1u);
    EXPECT_EQ(surface.screen.scheduled[0], (Rect{0, 0, 150, 16}));
    surface.PaintAll();
    EXPECT_EQ(Blocks(), "###............");
    EXPECT_EQ(surface.At(11, 8), ToPixel(0x00FF00));
}

TEST_F(GProgressFixture, GradientBlocksStepWithMulDivRounding) {
    bar.SetGradientBar(true);
    bar.SetColor(0x000000);
    bar.SetColorEnd(0x0000FF);
    struct Case {
        int block;
        unsigned red;
    };
    // 15 blocks, 14 steps: red = MulDiv(i, 255, 14), halves away from zero.
    const Case cases[] = {{0, 0}, {1, 18}, {7, 128}, {13, 237}, {14, 255}};
    for (const Case& c : cases) EXPECT_EQ(ToColor(bar.BlockColor(c.block, surface.colors)), c.red) << c.block;
    // Block Width / 10 is ColorEnd itself, resolved like any brush colour.
    bar.SetColorEnd(clBtnFace);
    EXPECT_EQ(ToColor(bar.BlockColor(15, surface.colors)), 0xC0C0C0u);
}

TEST_F(GProgressFixture, NarrowBarTakesTheStartColour) {
    bar.SetGradientBar(true);
    bar.SetWidth(15);  // one block: no steps to divide by
    bar.SetColor(0x404040);
    bar.SetColorEnd(0xFFFFFF);
    EXPECT_EQ(ToColor(bar.BlockColor(0, surface.colors)), 0x404040u);
}

TEST_F(GProgressFixture, NegativeRangeValuesAreRefusedWithAMessage) {
    bar.SetPosition(40);
    bar.SetMin(-1);
    bar.SetMax(-5);
    bar.SetStep(-2);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Step(), 10);
    ASSERT_EQ(surface.screen.errors.size(), 3u);
    EXPECT_EQ(surface.screen.errors[0], L"Value must be between 0 and 2147483647");
    // Values beyond 32 bits are fine: the memory bar counts bytes.
    bar.SetMax(8LL << 30);
    EXPECT_EQ(bar.Max(), 8LL << 30);
}

TEST_F(GProgressFixture, NewRangeMovesThePositionAndRedrawsFully) {
    bar.SetTransparent(true);
    bar.SetPosition(90);
    bar.SetPosition(95);  // rising: blocks pending over the picture
    bar.SetMax(1000);
    // The range grew, so the bar shrank: the old blocks are gone at once.
    EXPECT_EQ(Blocks(), "##.............");
    bar.SetMax(50);
    EXPECT_EQ(bar.Position(), 50);
    bar.SetMin(60);
    EXPECT_EQ(bar.Position(), 50);  // clamped to Max after Min: an upside-down range
}

// Position - Min times the width no longer fits in 64 bits: the bar is still drawn as for any upside-down range.
TEST_F(GProgressFixture, AnUpsideDownRangeOfExtremeValuesFillsTheBar) {
    bar.SetMin(INT64_MAX);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(bar.LastBlock(), 15);
    surface.PaintAll();
    EXPECT_EQ(Blocks(), "###############");
}

} // namespace
} // namespace qv::skin
