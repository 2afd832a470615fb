#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/app_error.h"
#include "skin/win32/form_rgn.h"
#include "skin/win32/rgn_btn.h"
#include "skin/win32/skin_test_support.h"
#include "skin/win32/window_surface.h"

namespace qv::skin::win {
namespace {

constexpr Pixel kRed = 0xFF0000;    // 0x00RRGGBB
constexpr Pixel kBlue = 0x0000FF;
constexpr Pixel kGreen = 0x00FF00;

std::wstring ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.text();
    }
    return L"(no error)";
}

// A glyph of `size` with a filled square [from, to) in `ink` on the key colour `key` (bottom-left).
Image SquareGlyph(int size, int from, int to, Pixel ink, Pixel key) {
    PixelBuffer pixels(size, size, key);
    for (int y = from; y < to; ++y) {
        for (int x = from; x < to; ++x) pixels.Set(x, y, ink);
    }
    return Image(std::move(pixels));
}

TEST(RegionDataFromBitmapTest, RegionCoversEveryPixelButTheBottomLeftColour) {
    const Image glyph = SquareGlyph(10, 2, 6, kBlue, kRed);
    const std::vector<std::uint8_t> data = RegionDataFromBitmap(glyph);
    qv::win::UniqueRegion region(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                                   reinterpret_cast<const RGNDATA*>(data.data())));
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_EQ(ErrorText([] { RegionDataFromBitmap(Image()); }), L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
}

struct RgnBtnFixture : ::testing::Test {
    RgnBtnFixture() {
        button.SetParent(&panel.Host());
        button.OnClick = [this](GraphicControl&) { ++clicks; };
    }
    void Press(int x, int y) { ::SendMessageW(panel.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Release(int x, int y) { ::SendMessageW(panel.handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    GraphicPanel panel{nullptr, 40, 40, 80, 80, false};
    TRgnBtn button;
    int clicks = 0;
};

TEST_F(RgnBtnFixture, PressedLookOnlyInsideTheShapeButClickByRectangle) {
    button.SetBounds(0, 0, 20, 20);
    button.SetGlyph1(SquareGlyph(20, 5, 15, kBlue, kRed));
    button.SetGlyph2(SquareGlyph(20, 5, 15, kGreen, kRed));
    button.CreateButtonRegion();
    panel.Surface().Refresh();
    const PixelBuffer& pixels = panel.Surface().BackBuffer().Pixels();
    EXPECT_EQ(pixels.At(10, 10) & 0xFFFFFF, kBlue);
    EXPECT_NE(pixels.At(1, 18) & 0xFFFFFF, kRed);  // the key colour is see-through

    Press(2, 2);  // in the rectangle, outside the shape
    EXPECT_FALSE(button.Pressed());
    Release(2, 2);
    EXPECT_EQ(clicks, 1);

    Press(10, 10);
    EXPECT_TRUE(button.Pressed());
    panel.Surface().Refresh();
    EXPECT_EQ(pixels.At(10, 10) & 0xFFFFFF, kGreen);
    Release(30, 30);  // outside: no click
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(clicks, 1);
}

TEST_F(RgnBtnFixture, RegionIsScaledToTheButton) {
    button.SetBounds(0, 0, 40, 40);
    button.SetGlyph1(SquareGlyph(20, 10, 20, kBlue, kRed));  // the lower right quarter
    button.CreateButtonRegion();
    EXPECT_FALSE(::PtInRegion(button.Region(), 15, 15));
    EXPECT_TRUE(::PtInRegion(button.Region(), 25, 25));
    EXPECT_TRUE(::PtInRegion(button.Region(), 39, 39));

    button.SetAutoSize(true);  // the glyph's own size and scale
    EXPECT_EQ(button.Width(), 20);
    button.SetBounds(0, 0, 60, 60);
    EXPECT_EQ(button.Width(), 20);
    button.CreateButtonRegion();
    EXPECT_TRUE(::PtInRegion(button.Region(), 15, 15));
    EXPECT_FALSE(::PtInRegion(button.Region(), 25, 25));
}

TEST_F(RgnBtnFixture, TallDitheredGlyphShapesPixelForPixel) {
    // 100 runs in each of 3000 rows: within the rule of 101 runs a row, and 300,000 rectangles to make.
    PixelBuffer pixels(200, 3000, kBlue);
    for (int y = 0; y < 3000; ++y) {
        for (int x = (y & 1); x < 200; x += 2) pixels.Set(x, y, kRed);
    }
    pixels.Set(0, 2999, kRed);
    button.SetBounds(0, 0, 400, 3000);  // twice as wide as the glyph
    button.SetGlyph1(Image(std::move(pixels)));
    button.CreateButtonRegion();
    for (int y = 0; y < 3000; y += 111) {
        for (int x = 0; x < 200; x += 7) {
            const bool inside = ((x + y) & 1) == 1;
            EXPECT_EQ(::PtInRegion(button.Region(), 2 * x, y) != FALSE, inside) << x << "," << y;
            EXPECT_EQ(::PtInRegion(button.Region(), 2 * x + 1, y) != FALSE, inside) << x << "," << y;
        }
    }
}

TEST_F(RgnBtnFixture, ZeroSizedButtonHasAnEmptyShape) {
    // A skin button placed without its right and bottom edges keeps the size 0 x 0.
    button.SetBounds(5, 5, 0, 0);
    button.SetGlyph1(SquareGlyph(20, 5, 15, kBlue, kRed));
    button.CreateButtonRegion();
    RECT box{};
    EXPECT_EQ(::GetRgnBox(button.Region(), &box), NULLREGION);
}

TEST_F(RgnBtnFixture, AllKeyGlyphIsAnInvisibleClickArea) {
    button.SetBounds(0, 0, 16, 16);
    button.SetGlyph1(Image::Filled(16, 16, 0xFF00FF));
    button.CreateButtonRegion();
    RECT box{};
    EXPECT_EQ(::GetRgnBox(button.Region(), &box), NULLREGION);
    Press(5, 5);
    EXPECT_FALSE(button.Pressed());
    Release(5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(RgnBtnFixture, ShapeErrors) {
    button.Name = L"Btn";
    EXPECT_EQ(ErrorText([&] { button.CreateButtonRegion(); }), L"Btn のﾘｰｼﾞｮﾝ情報がありません");
    EXPECT_EQ(ErrorText([&] { button.SetGlyph1(Image::Filled(0, 0, 0)); }), L"幅または高さが 0 です");
    EXPECT_TRUE(button.Glyph1().Empty());
    // Stored shape data without a picture.
    button.SetGlyph1(SquareGlyph(8, 1, 4, kBlue, kRed));
    std::vector<std::uint8_t> data = button.RgnData();
    EXPECT_EQ(ErrorText([&] { button.SetGlyph1(Image()); }), L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    EXPECT_TRUE(button.RgnData().empty());
    button.SetRgnData(data);
    EXPECT_EQ(ErrorText([&] { button.CreateButtonRegion(); }), L"Btn:Glyph1 のﾋﾞｯﾄﾏｯﾌﾟが正しくありません");
    // Damaged stored data.
    button.SetGlyph1(SquareGlyph(8, 1, 4, kBlue, kRed));
    data = button.RgnData();
    data[8] = 0xFF;  // nCount far beyond the block
    data[9] = 0xFF;
    button.SetRgnData(data);
    EXPECT_EQ(ErrorText([&] { button.CreateButtonRegion(); }), L"ﾘｰｼﾞｮﾝが作成できません");
}

// A borderless window with a one-pixel frame, as the main window: client 221 x 108. Hidden: Wine takes
// seconds to take a shown window off an X display without a window manager.
struct FramedWindow {
    FramedWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvRegionTestWindow";
        ::RegisterClassW(&wc);
        window.reset(::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_BORDER, 30, 30, 223, 110,
                                       nullptr, nullptr, wc.hInstance, nullptr));
    }
    qv::win::UniqueWindow window;
};

TEST(TFormRgnTest, ShapeFollowsThePictureWithTheWindowOffset) {
    FramedWindow w;
    RECT client{};
    ::GetClientRect(w.window.get(), &client);
    ASSERT_EQ(client.right, 221);
    ASSERT_EQ(client.bottom, 108);
    TFormRgn back(w.window.get());
    back.SetBounds(-2, 0, 223, 108);
    PixelBuffer picture(223, 108, 0x808080);
    // A transparent block: picture columns 100 ... 149, rows 40 ... 59.
    for (int y = 40; y < 60; ++y) {
        for (int x = 100; x < 150; ++x) picture.Set(x, y, 0xFF00FF);
    }
    back.SetPicture(Image(std::move(picture)));
    back.SetTransparentColor(0xFF00FF);
    back.BuildRegion();
    back.ApplyRegion();

    qv::win::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(w.window.get(), shape.get()), ERROR);
    // Window coordinates: picture (x, y) lies at (x - 1, y + 1).
    struct Probe {
        int x, y;
        bool inside;
    };
    const Probe probes[] = {{0, 2, true},    {0, 1, false},    {98, 41, true},  {99, 41, false},  {148, 60, false},
                            {149, 60, true}, {99, 61, true},   {99, 60, false}, {221, 50, true},  {222, 50, false}};
    for (const Probe& p : probes) EXPECT_EQ(::PtInRegion(shape.get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
}

TEST(TFormRgnTest, AllTransparentPictureLeavesNothingAndJpegIsRefused) {
    FramedWindow w;
    TFormRgn back(w.window.get());
    back.SetBounds(-2, 0, 10, 4);
    back.SetPicture(Image::Filled(10, 4, 0x000000));
    back.BuildRegion();  // default transparent colour: black
    RECT box{};
    EXPECT_EQ(::GetRgnBox(back.Region(), &box), NULLREGION);

    back.SetPicture(Image(PixelBuffer(10, 4), Image::ifJpeg));
    EXPECT_EQ(ErrorText([&] { back.BuildRegion(); }), L"ビットマップを持っている時のみイメージの変更が可能です");
    EXPECT_NE(back.Region(), nullptr);  // the previous region stays
}

TEST(TFormRgnTest, DitheredScreenSizedPictureShapesPixelForPixel) {
    // Every other pixel see-through over a whole screen: a million runs, which must not be united one by one.
    FramedWindow w;
    TFormRgn back(w.window.get());
    back.SetBounds(-2, 0, 1920, 1080);
    PixelBuffer picture(1920, 1080, 0x0000FF);
    for (int y = 0; y < 1080; ++y) {
        for (int x = (y & 1); x < 1920; x += 2) picture.Set(x, y, 0xFF00FF);
    }
    back.SetPicture(Image(std::move(picture)));
    back.SetTransparentColor(0xFF00FF);
    back.BuildRegion();

    // Rows 1 ... 1079, columns 1 ... 1919: 959 single pixels in each of the 540 odd rows, 960 in the even ones.
    EXPECT_EQ(::GetRegionData(back.Region(), 0, nullptr),
              sizeof(RGNDATAHEADER) + sizeof(RECT) * (540 * 959 + 539 * 960));
    // Window coordinates: picture (x, y) lies at (x - 1, y + 1).
    for (int y = 1; y < 1080; y += 97) {
        for (int x = 1; x < 1920; x += 37) {
            EXPECT_EQ(::PtInRegion(back.Region(), x - 1, y + 1) != FALSE, ((x + y) & 1) == 1) << x << "," << y;
        }
    }
    // No window takes a shape of a million rectangles (under Wine the X server refuses it and the program
    // would end): the skin fails instead, and the window keeps its shape.
    EXPECT_EQ(ErrorText([&] { back.ApplyRegion(); }), L"SetWindowRGNに失敗しました");
    qv::win::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(w.window.get(), shape.get()), ERROR);
}

} // namespace
} // namespace qv::skin::win
