// The tray numbers are redrawn at every refresh for as long as the program runs: each drawing makes a
// new icon that the tray icon takes over and releases at the next one. The drawings must leave the
// process's GDI and USER objects as they were: a leak of one object per drawing would reach the
// system's per-process limit of 10,000 GDI objects within hours. The counts are exact, so a thousand
// drawings (every number in every colour pair several times) show any such leak as hundreds of objects.
#include "app/win32/icon_number_painter.h"

#include <gtest/gtest.h>

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
    const long gdi_before = *test::gdi_object_count(self);
    const auto user_before = test::user_object_count(self);

    for (int i = 0; i < 1000; ++i)
        draw(i);

    EXPECT_NE(icon.Icon(), nullptr);
    EXPECT_LE(test::gdi_object_count(self).value_or(0) - gdi_before, 2);
    if (user_before) {
        EXPECT_LE(test::user_object_count(self).value_or(0) - *user_before, 2);
    }
}

} // namespace
} // namespace qv::app
