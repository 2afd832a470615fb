// The window's gauges are redrawn at every refresh for as long as the program runs, as often as every
// few hundred milliseconds. A hundred thousand refreshes with changing figures (and so new texts and
// new fill widths each time) must leave the process's GDI objects and memory where they were.
#include <gtest/gtest.h>

#include "app/design_slots.h"
#include "skin/win32/window_surface.h"
#include "support/win32/process_resources.h"

namespace qv::app {
namespace {

TEST(DisplaySoak, HundredThousandRefreshesKeepObjectsAndMemoryFlat) {
    const HANDLE self = ::GetCurrentProcess();
    if (!test::gdi_object_count(self)) GTEST_SKIP() << "this system counts no GDI objects";

    constexpr std::uint64_t kTotal = 4ull << 30;
    skin::win::GraphicPanel panel(nullptr, 40, 40, 221, 108);
    DesignSlots slots;
    for (size_t i = 0; i < slots.DefaultGauges.size(); ++i) {
        auto gauge = std::make_unique<skin::TCoolGauge>();
        gauge->SetBounds(i < 3 ? 5 : 117, 32 + 29 * static_cast<int>(i % 3), 100, 16);
        gauge->SetMaxValue(i == 0 ? static_cast<std::int64_t>(kTotal) : 100);
        gauge->SetText(L"%d%%");
        gauge->SetParent(&panel.Host());
        slots.DefaultGauges[i] = std::move(gauge);
    }
    auto refresh = [&](int i) {
        DisplayFigures f;
        f.PhysicalTotal = kTotal;
        f.PhysicalFree = kTotal / 1000 * static_cast<std::uint64_t>(i % 1000);
        f.SwapUsage = i % 101;
        f.CPUUsage = (i * 7) % 101;
        f.SystemResources = (i * 3) % 101;
        f.UserResources = (i * 5) % 101;
        f.GDIResources = (i * 11) % 101;
        skin::UpdateBatch batch(panel.Host());
        slots.ShowOnDefaultGauges(f, static_cast<long long>(kTotal >> 20));
    };
    // Warm up: every fill width and text once, so caches are full.
    for (int i = 0; i < 2000; ++i) refresh(i);
    const auto gdi_before = test::gdi_object_count(self);
    const auto memory_before = test::process_memory(self);

    for (int i = 0; i < 100000; ++i) refresh(i);

    test::expect_count_flat("GDI objects", gdi_before, test::gdi_object_count(self), 2);
    const auto memory_after = test::process_memory(self);
    ASSERT_TRUE(memory_before && memory_after);
    EXPECT_LT(memory_after->working_set, memory_before->working_set + (4u << 20));
}

} // namespace
} // namespace qv::app
