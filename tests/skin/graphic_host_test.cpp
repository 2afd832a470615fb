#include "skin/graphic_host.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/fake_surface.h"
#include "skin/picture_control.h"
#include "skin/text_label.h"

namespace qv::skin {
namespace {

using test::FakeSurface;

// A control of one colour that records its mouse events.
class Block : public GraphicControl {
public:
    Block(Color color, bool opaque = true) : GraphicControl(10, 10), color_(color), opaque_(opaque) {}
    void Paint(PaintContext& pc) override {
        ++paints;
        if (opaque_) {
            pc.canvas.FillRect(ClientRect(), ToPixel(color_));
        } else {
            pc.canvas.SetPixel(0, 0, ToPixel(color_));
        }
    }
    bool Opaque() const override { return opaque_; }
    void MouseDown(TMouseButton b, unsigned s, int x, int y) override {
        log += "down(" + std::to_string(x) + "," + std::to_string(y) + ") ";
        GraphicControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, unsigned s, int x, int y) override {
        log += "up(" + std::to_string(x) + "," + std::to_string(y) + ") ";
        GraphicControl::MouseUp(b, s, x, y);
    }
    void Click() override { log += "click "; }

    int paints = 0;
    std::string log;

private:
    Color color_;
    bool opaque_;
};

TEST(GraphicHostTest, PaintsBackgroundThenControlsBottomToTop) {
    FakeSurface surface(40, 20, 0x00FF00);
    Block bottom(0x0000FF), top(0xFF0000), hidden(0x000000);
    bottom.SetBounds(0, 0, 20, 20);
    top.SetBounds(10, 0, 20, 20);
    hidden.SetBounds(0, 0, 40, 20);
    hidden.SetVisible(false);
    for (Block* b : {&bottom, &top, &hidden}) b->SetParent(&surface.host);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(5, 5), 0x0000FFu);
    EXPECT_EQ(surface.ColorAt(15, 5), 0xFF0000u);
    EXPECT_EQ(surface.ColorAt(35, 5), 0x00FF00u);
    surface.host.BringToFront(bottom);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(15, 5), 0x0000FFu);
    EXPECT_EQ(hidden.paints, 0);
}

TEST(GraphicHostTest, RepaintOfAControlKeepsTheControlsAboveItOnTop) {
    FakeSurface surface(40, 20, 0x00FF00);
    Block under(0x0000FF), over(0xFF0000);
    under.SetBounds(0, 0, 20, 20);
    over.SetBounds(10, 0, 20, 20);
    under.SetParent(&surface.host);
    over.SetParent(&surface.host);
    surface.PaintAll();
    surface.Clear();
    under.Repaint();
    EXPECT_EQ(surface.ColorAt(15, 5), 0xFF0000u);
    ASSERT_EQ(surface.screen.presented.size(), 1u);
    EXPECT_EQ(surface.screen.presented[0], (Rect{0, 0, 20, 20}));
}

TEST(GraphicHostTest, SeeThroughControlIsRepaintedOverAFreshBackground) {
    FakeSurface surface(20, 20, 0x00FF00);
    Block glass(0x0000FF, false);
    glass.SetBounds(0, 0, 20, 20);
    glass.SetParent(&surface.host);
    surface.pixels.Set(5, 5, 0x999999);
    glass.Repaint();
    EXPECT_EQ(surface.ColorAt(5, 5), 0x00FF00u);
    EXPECT_EQ(surface.ColorAt(0, 0), 0x0000FFu);
}

TEST(GraphicHostTest, BatchedRepaintsReachTheScreenAsOneCopy) {
    FakeSurface surface(100, 40);
    Block a(0x0000FF), b(0xFF0000);
    a.SetBounds(0, 0, 10, 10);
    b.SetBounds(50, 20, 10, 10);
    a.SetParent(&surface.host);
    b.SetParent(&surface.host);
    surface.Clear();
    {
        UpdateBatch batch(surface.host);
        a.Repaint();
        b.Repaint();
        EXPECT_TRUE(surface.screen.presented.empty());
        EXPECT_EQ(surface.ColorAt(55, 25), 0xFF0000u);  // drawn already, shown later
    }
    ASSERT_EQ(surface.screen.presented.size(), 1u);
    EXPECT_EQ(surface.screen.presented[0], (Rect{0, 0, 60, 30}));
}

TEST(GraphicHostTest, MouseGoesToTheTopmostEnabledControl) {
    FakeSurface surface(40, 20);
    Block back(0x0000FF), front(0xFF0000);
    back.SetBounds(0, 0, 40, 20);
    front.SetBounds(10, 5, 10, 10);
    back.SetParent(&surface.host);
    front.SetParent(&surface.host);

    struct Case {
        bool front_enabled;
        bool front_visible;
        const char* receiver;
    };
    const Case cases[] = {{true, true, "front"}, {false, true, "back"}, {true, false, "back"}};
    for (const Case& c : cases) {
        front.SetEnabled(c.front_enabled);
        front.SetVisible(c.front_visible);
        EXPECT_EQ(surface.host.ControlAt(12, 7), std::string(c.receiver) == "front" ? &front : &back);
    }
    back.SetEnabled(false);
    front.SetVisible(false);
    // Nothing takes it: the event is the window's own.
    EXPECT_FALSE(surface.host.MouseDown(mbLeft, 0, 12, 7));
}

TEST(GraphicHostTest, PressAndReleaseInsideClicks) {
    struct Case {
        int up_x, up_y;
        bool capture_lost;
        std::string log;
    };
    const Case cases[] = {
        {15, 8, false, "down(5,3) click up(5,7) "},
        // Released outside: the captured control still gets the release, without a click.
        {35, 8, false, "down(5,3) up(25,7) "},
        // Another window took the mouse between (a window drag): no click.
        {15, 8, true, "down(5,3) "},
    };
    for (const Case& c : cases) {
        FakeSurface surface(40, 20);
        Block button(0x0000FF);
        button.SetBounds(10, 1, 10, 10);
        button.SetParent(&surface.host);
        EXPECT_TRUE(surface.host.MouseDown(mbLeft, 0, 15, 4));
        EXPECT_TRUE(surface.screen.captured);
        if (c.capture_lost) {
            surface.host.CaptureLost();
            EXPECT_FALSE(surface.host.MouseUp(mbLeft, 0, 35, 8));
        } else {
            EXPECT_TRUE(surface.host.MouseUp(mbLeft, 0, c.up_x, c.up_y));
        }
        EXPECT_FALSE(surface.screen.captured && !c.capture_lost);
        EXPECT_EQ(button.log, c.log);
    }
}

TEST(GraphicHostTest, RightButtonNeitherCapturesNorClicks) {
    FakeSurface surface(40, 20);
    Block button(0x0000FF);
    button.SetParent(&surface.host);
    surface.host.MouseDown(mbRight, 0, 5, 5);
    EXPECT_FALSE(surface.screen.captured);
    surface.host.MouseUp(mbRight, 0, 5, 5);
    EXPECT_EQ(button.log, "down(5,5) up(5,5) ");
}

TEST(GraphicHostTest, ControlDestroyedWhileCapturedReleasesTheMouse) {
    FakeSurface surface(40, 20);
    auto button = std::make_unique<Block>(0x0000FF);
    button->SetParent(&surface.host);
    surface.host.MouseDown(mbLeft, 0, 5, 5);
    button.reset();
    EXPECT_FALSE(surface.screen.captured);
    EXPECT_EQ(surface.host.MouseCaptureControl(), nullptr);
    EXPECT_FALSE(surface.host.MouseUp(mbLeft, 0, 5, 5));
}

TEST(GraphicHostTest, LabelSizesItselfToItsTextAndDrawsIt) {
    FakeSurface surface(100, 20, 0x00FF00);
    TextLabel label;
    label.SetLeft(5);
    Font font;
    font.Height = -11;
    font.FontColor = clWhite;
    label.SetFont(font);
    label.SetCaption(L"Memory");
    label.SetParent(&surface.host);
    EXPECT_EQ(label.BoundsRect(), (Rect{5, 0, 41, 11}));
    label.SetCaption(L"CPU");
    EXPECT_EQ(label.Width(), 18);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(5, 0), clWhite);
    EXPECT_EQ(surface.ColorAt(23, 0), 0x00FF00u);
}

TEST(GraphicHostTest, PicturePlacement) {
    PictureControl picture;
    picture.SetBounds(0, 0, 20, 10);
    picture.SetPicture(Image(PixelBuffer(6, 4, 1)));
    EXPECT_EQ(picture.PictureRect(), (Rect{0, 0, 6, 4}));
    picture.SetCenter(true);
    EXPECT_EQ(picture.PictureRect(), (Rect{7, 3, 13, 7}));
    picture.SetStretch(true);
    EXPECT_EQ(picture.PictureRect(), (Rect{0, 0, 20, 10}));
}

TEST(GraphicHostTest, TransparentPictureLeavesItsKeyColourOut) {
    FakeSurface surface(4, 2, 0x00FF00);
    PixelBuffer pixels(4, 2, ToPixel(0x0000FF));
    pixels.Set(0, 1, ToPixel(clKey));
    pixels.Set(3, 0, ToPixel(clKey));
    PictureControl picture;
    picture.SetBounds(0, 0, 4, 2);
    picture.SetPicture(Image(std::move(pixels)));
    picture.SetTransparent(true);
    picture.SetParent(&surface.host);
    surface.PaintAll();
    EXPECT_EQ(surface.ColorAt(3, 0), 0x00FF00u);
    EXPECT_EQ(surface.ColorAt(2, 0), 0x0000FFu);
}

} // namespace
} // namespace qv::skin
