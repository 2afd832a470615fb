// The tray numbers are redrawn at every refresh for as long as the program runs: each drawing makes a
// new icon that the tray icon takes over and releases at the next one. The drawings must leave the
// process's GDI and USER objects as they were: a leak of one object per drawing would reach the
// system's per-process limit of 10,000 GDI objects within hours. The counts are exact, so a thousand
// drawings (every number in every colour pair several times) show any such leak as hundreds of objects.
#include "app/win32/icon_number_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "desktop/win32/cool_tray_icon.h"
#include "support/win32/process_resources.h"

namespace qv::app {
namespace {

TEST(TrayNumberResources, RedrawsKeepTheObjectCountsFlat) {
    const HANDLE self = ::GetCurrentProcess();
    if (!test::gdi_object_count(self)) GTEST_SKIP() << "this system counts no GDI objects";

    IconNumberPainter painter;
    // Not added to the notification area: the shell refuses its updates, as for a hidden icon, but every
    // drawing still goes through the update.
    desktop::TCoolTrayIcon icon(nullptr);
    // Text and background colours of different metric kinds: each drawing makes its own brush.
    constexpr COLORREF kColors[][2] = {
        {RGB(255, 255, 255), RGB(0, 0, 255)}, {RGB(0, 0, 0), RGB(255, 255, 0)}, {RGB(255, 0, 0), RGB(0, 128, 0)}};
    auto draw = [&](int i) {
        const auto& colors = kColors[i % 3];
        icon.SetIcon(painter.draw(i % 101, colors[0], colors[1]));
    };
    // The first drawings of each number may fill the system's glyph caches.
    for (int i = 0; i <= 100; ++i)
        draw(i);
    const auto gdi_before = test::gdi_object_count(self);
    const auto user_before = test::user_object_count(self);

    for (int i = 0; i < 1000; ++i)
        draw(i);

    EXPECT_NE(icon.Icon(), nullptr);
    test::expect_count_flat("GDI objects", gdi_before, test::gdi_object_count(self), 2);
    test::expect_count_flat("USER objects", user_before, test::user_object_count(self), 2);
}

// At every small-icon size (16 at 96 pixels an inch, 20, 24 and 32 on scaled displays) a drawing is an
// icon of exactly that size whose every pixel is the number's colour or its background: no smoothed
// edges, nothing for the shell to stretch.
TEST(TrayNumberResources, DrawingsFillTheIconSizeInTwoColours) {
    constexpr COLORREF kText = RGB(255, 255, 0), kBack = RGB(0, 0, 160);
    for (int size : {16, 20, 24, 32}) {
        IconNumberPainter painter(size);
        for (int number : {8, 88, 100}) {
            const win::UniqueIcon icon = painter.draw(number, kText, kBack);
            ASSERT_TRUE(icon);
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
            const win::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
            BITMAP shape{};
            ASSERT_TRUE(::GetObjectW(color.get(), sizeof shape, &shape));
            EXPECT_EQ(shape.bmWidth, size);
            EXPECT_EQ(shape.bmHeight, size);

            BITMAPINFO format{};
            format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            std::vector<DWORD> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
            const win::WindowDC screen(nullptr);
            ASSERT_EQ(::GetDIBits(screen.get(), color.get(), 0, static_cast<UINT>(size), pixels.data(), &format,
                                  DIB_RGB_COLORS),
                      size);
            size_t ink = 0, other = 0;
            for (DWORD pixel : pixels) {
                // The DIB holds 0x00RRGGBB; RGB() wants them the other way round.
                const COLORREF rgb = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
                if (rgb == kText) ++ink;
                else if (rgb != kBack) ++other;
            }
            EXPECT_EQ(other, 0u) << number << " at " << size << " has pixels of neither colour";
            EXPECT_GT(ink, static_cast<size_t>(size)) << number << " at " << size << " shows no number";
        }
    }
}

} // namespace
} // namespace qv::app
