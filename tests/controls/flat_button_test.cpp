#include "controls/flat_button.h"

#include <gtest/gtest.h>

#include "skin/fake_surface.h"

namespace qv::controls {
namespace {

using skin::Color;
using test::FakeSurface;

struct FlatButtonFixture : ::testing::Test {
    FlatButtonFixture() {
        // The main window's close button.
        button.SetBounds(0, 0, 15, 15);
        button.SetParent(&surface.host);
        button.SetRandfarbe(skin::clWhite);
        button.SetFarbe(0xFF8000);
        skin::Font font;
        font.Name = L"ＭＳ 明朝";
        font.Height = -13;
        font.Style = skin::fsBold;
        font.FontColor = skin::clWhite;
        button.SetFont(font);
        button.SetTextLeft(4);
        button.SetTextTop(1);
        button.SetCaption(L"X");
        surface.text.CellWidth = 9;  // "X" is 9 x 13
        surface.PaintAll();
    }
    FakeSurface surface{20, 20, 0x00FF00};
    TFlatButton button;
};

TEST_F(FlatButtonFixture, CaptionIsCentredWithHalvesTakenFirst) {
    // 15 / 2 - 13 / 2 = 1 and 15 / 2 - 9 / 2 = 3, whatever TextLeft and TextTop said.
    EXPECT_EQ(button.TextLeft(), 3);
    EXPECT_EQ(button.TextTop(), 1);
    EXPECT_EQ(surface.ColorAt(3, 1), skin::clWhite);
    EXPECT_EQ(surface.ColorAt(11, 13), skin::clWhite);
    EXPECT_EQ(surface.ColorAt(2, 5), 0xFF8000u);
    EXPECT_EQ(surface.ColorAt(12, 5), 0xFF8000u);
    // Name and size only: drawn in the regular weight.
    EXPECT_EQ(surface.text.fonts.back().Style, 0u);
    EXPECT_EQ(surface.text.fonts.back().Name, L"ＭＳ 明朝");
    EXPECT_EQ(surface.text.fonts.back().Height, -13);
}

TEST_F(FlatButtonFixture, PressedLookIsRedBorderAndTextOnTheSameFill) {
    struct Probe {
        int x, y;
        Color up, down;
    };
    const Probe probes[] = {{0, 0, skin::clWhite, skin::clRed},
                            {14, 14, skin::clWhite, skin::clRed},
                            {5, 5, skin::clWhite, skin::clRed},
                            {1, 14 - 1, 0xFF8000, 0xFF8000}};
    std::vector<std::string> events;
    button.OnMouseDown = [&](skin::GraphicControl& sender, skin::TMouseButton, unsigned, int, int) {
        events.push_back(static_cast<TFlatButton&>(sender).ButtonState() == stUp ? "down while up" : "?");
    };
    button.OnClick = [&](skin::GraphicControl&) { events.push_back("click"); };

    surface.host.MouseDown(skin::mbLeft, 0, 5, 5);
    EXPECT_EQ(button.ButtonState(), stDown);
    for (const Probe& p : probes) EXPECT_EQ(surface.ColorAt(p.x, p.y), p.down) << p.x << "," << p.y;
    surface.host.MouseUp(skin::mbLeft, 0, 5, 5);
    EXPECT_EQ(button.ButtonState(), stUp);
    for (const Probe& p : probes) EXPECT_EQ(surface.ColorAt(p.x, p.y), p.up) << p.x << "," << p.y;
    EXPECT_EQ(events, (std::vector<std::string>{"down while up", "click"}));
}

TEST_F(FlatButtonFixture, ReleasedOffTheButtonDoesNotClick) {
    int clicks = 0;
    button.OnClick = [&](skin::GraphicControl&) { ++clicks; };
    surface.host.MouseDown(skin::mbLeft, 0, 5, 5);
    surface.host.MouseUp(skin::mbLeft, 0, 18, 18);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button.ButtonState(), stUp);
}

} // namespace
} // namespace qv::controls
