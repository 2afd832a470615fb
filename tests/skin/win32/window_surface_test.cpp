#include "skin/win32/window_surface.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "controls/flat_button.h"
#include "skin/cool_gauge.h"
#include "skin/text_label.h"
#include "skin/win32/skin_test_support.h"
#include "support/win32/screen_capture.h"

namespace qv::skin::win {
namespace {

using test::PumpMessages;

Font GothicFont(int height, Color color, unsigned style = fsBold) {
    Font font;
    font.Name = L"ＭＳ Ｐゴシック";
    font.Height = height;
    font.Style = style;
    font.Charset = kShiftJisCharset;
    font.FontColor = color;
    return font;
}

// The default window design: title, six captions, six gauges and the close button on $FF8000.
struct DefaultDesign {
    explicit DefaultDesign(GraphicHost& host) {
        host.SetColor(0xFF8000);
        struct Caption {
            TextLabel* label;
            const wchar_t* text;
            int left, top;
        };
        const Caption captions[] = {{&Mem, L"Memory", 5, 19},          {&Swap, L"Swap", 5, 48},
                                    {&CPU, L"CPU", 5, 77},             {&Sys, L"System Resource", 117, 19},
                                    {&User, L"User Resource", 117, 48}, {&GDI, L"GDI Resource", 117, 77}};
        Title.SetBounds(2, 1, 162, 15);
        Title.SetFont(GothicFont(-15, clWhite));
        Title.SetCaption(L"Quorvane");
        Title.SetParent(&host);
        for (const Caption& c : captions) {
            c.label->SetBounds(c.left, c.top, 10, 10);
            c.label->SetFont(GothicFont(-11, clWhite));
            c.label->SetCaption(c.text);
            c.label->SetParent(&host);
        }
        for (int i = 0; i < 6; ++i) {
            TCoolGauge& g = gauges[i];
            g.SetBounds(i < 3 ? 5 : 117, 32 + 29 * (i % 3), 100, 16);
            g.SetForeColor1(0xFFFF00);
            g.SetForeColor2(0xFF8000);
            g.SetFont(GothicFont(-13, 0xFF0000));
            g.SetParent(&host);
        }
        XButton.SetBounds(200, 3, 15, 15);
        XButton.SetRandfarbe(clWhite);
        XButton.SetFarbe(0xFF8000);
        Font mincho;
        mincho.Name = L"ＭＳ 明朝";
        mincho.Height = -13;
        mincho.Style = fsBold;
        mincho.FontColor = clWhite;
        XButton.SetFont(mincho);
        XButton.SetCaption(L"X");
        XButton.SetParent(&host);
    }

    TextLabel Title, Mem, Swap, CPU, Sys, User, GDI;
    std::array<TCoolGauge, 6> gauges;
    controls::TFlatButton XButton;
};

Color ColorAt(const PixelBuffer& pixels, int x, int y) { return ToColor(pixels.At(x, y) & 0xFFFFFF); }

int CountColor(const PixelBuffer& pixels, const Rect& area, Color color) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) n += ColorAt(pixels, x, y) == color;
    }
    return n;
}

// Pixels of a text mask at least half covered (glyph edges may be smoothed).
int CountCovered(const PixelBuffer& mask) {
    int n = 0;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) n += ((mask.At(x, y) >> 8) & 0xFF) >= 0x80;
    }
    return n;
}

TEST(WindowSurfaceTest, DefaultDesignIsDrawnIntoTheBackBufferAndShown) {
    GraphicPanel panel(nullptr, 40, 40, 221, 108);
    DefaultDesign design(panel.Host());
    design.gauges[0].SetMaxValue(8LL << 30);  // bytes, as the memory gauge counts
    design.gauges[0].SetProgress(4LL << 30);
    design.gauges[0].SetText(L"4096/8192 MB");
    for (int i = 1; i < 6; ++i) design.gauges[i].SetProgress(i * 20);
    ::UpdateWindow(panel.handle());
    PumpMessages();

    const PixelBuffer& pixels = panel.Surface().BackBuffer().Pixels();
    test::SaveForInspection(pixels, L"default_design.bmp");
    EXPECT_EQ(ColorAt(pixels, 110, 5), 0xFF8000u);  // window colour between the title and the button
    // Memory gauge at (5, 32): frame in its font colour, half filled from aqua, white beyond.
    EXPECT_EQ(ColorAt(pixels, 5, 32), 0xFF0000u);
    EXPECT_EQ(ColorAt(pixels, 104, 47), 0xFF0000u);
    EXPECT_EQ(ColorAt(pixels, 6, 33), MakeColor(0, 0xF9, 0xFF));  // band 5 covers x = 1
    EXPECT_EQ(ColorAt(pixels, 103, 46), clWhite);
    EXPECT_GT(CountColor(pixels, {10, 33, 100, 47}, 0xFF0000), 20);  // its text
    // Close button: white frame, face $FF8000, white glyph.
    EXPECT_EQ(ColorAt(pixels, 200, 3), clWhite);
    EXPECT_EQ(ColorAt(pixels, 201, 4), 0xFF8000u);
    EXPECT_GT(CountColor(pixels, {201, 4, 214, 17}, 0xFF8000), 0);
    EXPECT_LT(CountColor(pixels, {201, 4, 214, 17}, 0xFF8000), 13 * 13 - 5);  // the glyph covers some
    // Captions in white on the window colour.
    EXPECT_GT(CountColor(pixels, design.Mem.BoundsRect(), clWhite), 10);

    // The screen shows what the back buffer holds.
    const test::ScreenCapture screen = test::ScreenCapture::take();
    POINT origin{0, 0};
    ::ClientToScreen(panel.handle(), &origin);
    if (!screen.empty()) {
        EXPECT_EQ(screen.pixel(origin.x + 110, origin.y + 5), RGB(0x00, 0x80, 0xFF));
        EXPECT_EQ(screen.pixel(origin.x + 5, origin.y + 32), RGB(0x00, 0x00, 0xFF));
    }
}

TEST(WindowSurfaceTest, CloseButtonTurnsRedWhilePressedAndClicksOnRelease) {
    GraphicPanel panel(nullptr, 40, 40, 221, 108, false);  // off screen: quicker under Wine
    DefaultDesign design(panel.Host());
    panel.Surface().Refresh();
    int clicks = 0;
    design.XButton.OnClick = [&](GraphicControl&) { ++clicks; };
    const PixelBuffer& pixels = panel.Surface().BackBuffer().Pixels();

    ::SendMessageW(panel.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(207, 10));
    EXPECT_EQ(::GetCapture(), panel.handle());
    EXPECT_EQ(ColorAt(pixels, 200, 3), clRed);
    EXPECT_EQ(ColorAt(pixels, 201, 4), 0xFF8000u);
    ::SendMessageW(panel.handle(), WM_LBUTTONUP, 0, MAKELPARAM(207, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ColorAt(pixels, 200, 3), clWhite);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Pressed, then the mouse taken away (a window drag): no click.
    ::SendMessageW(panel.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(207, 10));
    ::ReleaseCapture();
    ::SendMessageW(panel.handle(), WM_LBUTTONUP, 0, MAKELPARAM(207, 10));
    EXPECT_EQ(clicks, 1);
}

// A window of its own over a surface, recording the mouse messages that reach its own handling.
class RecordingWindow final : public qv::win::Window {
public:
    RecordingWindow() {
        register_class(L"QvSurfaceRecordingWindow");
        create(L"QvSurfaceRecordingWindow", L"", WS_POPUP, 0, 0, 0, 100, 50);
        surface = std::make_unique<WindowSurface>(handle());
    }
    ~RecordingWindow() override {
        surface.reset();
        destroy();
    }
    std::unique_ptr<WindowSurface> surface;
    std::vector<UINT> own;

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        LRESULT result = 0;
        if (surface && surface->HandleMessage(message, wparam, lparam, result)) return result;
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONUP || message == WM_CONTEXTMENU) own.push_back(message);
        return default_message(message, wparam, lparam);
    }
};

TEST(WindowSurfaceTest, ControlsTakeTheirMouseMessagesButTheContextMenuStillComes) {
    RecordingWindow window;
    TCoolGauge gauge;
    gauge.SetBounds(0, 0, 50, 50);
    int downs = 0;
    gauge.OnMouseDown = [&](GraphicControl&, TMouseButton, unsigned, int, int) { ++downs; };
    gauge.SetParent(&window.surface->Host());

    ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ::SendMessageW(window.handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(window.own, std::vector<UINT>{WM_CONTEXTMENU});

    window.own.clear();
    ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 10));  // beside the gauge
    EXPECT_EQ(window.own, std::vector<UINT>{WM_LBUTTONDOWN});
}

TEST(WindowSurfaceTest, GaugeChangesReachTheBackBufferAtOnce) {
    GraphicPanel panel(nullptr, 40, 40, 221, 108, false);  // off screen: quicker under Wine
    DefaultDesign design(panel.Host());
    panel.Surface().Refresh();
    const PixelBuffer& pixels = panel.Surface().BackBuffer().Pixels();
    EXPECT_EQ(ColorAt(pixels, 85, 92), clWhite);
    {
        UpdateBatch batch(panel.Host());
        design.gauges[2].SetProgress(90);
    }
    EXPECT_NE(ColorAt(pixels, 85, 92), clWhite);
}

TEST(WindowSurfaceTest, PaintBackgroundThroughGdi) {
    GraphicPanel panel(nullptr, 40, 40, 50, 20, false);
    panel.Surface().OnPaintBackground = [](HDC dc, const RECT& area) {
        qv::win::UniqueBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
        ::FillRect(dc, &area, brush.get());
    };
    panel.Surface().Refresh();
    EXPECT_EQ(ColorAt(panel.Surface().BackBuffer().Pixels(), 10, 10), MakeColor(1, 2, 3));
}

TEST(GdiTextRendererTest, MasksHaveTheMeasuredSizeAndCoverTheGlyphs) {
    GdiTextRenderer text;
    struct Case {
        Font font;
        std::wstring text;
    };
    const Case cases[] = {{GothicFont(-13, 0), L"50%"}, {GothicFont(-11, 0, 0), L"メモリ"}, {Font{}, L"X"}};
    for (const Case& c : cases) {
        const Size size = text.Measure(c.font, c.text);
        const auto mask = text.Render(c.font, c.text);
        EXPECT_EQ(mask->Extent(), size);
        EXPECT_GE(size.cy, 11);
        EXPECT_GT(CountCovered(*mask), 3);
        EXPECT_EQ(text.Render(c.font, c.text), mask);  // kept
    }
    EXPECT_EQ(text.Measure(Font{}, L""), (Size{0, 0}));
}

} // namespace
} // namespace qv::skin::win
