#include "app/display_values.h"

#include <gtest/gtest.h>

namespace qv::app {
namespace {

TEST(DisplayValues, FreeMemoryPercentRoundsHalvesToEven) {
    EXPECT_EQ(free_memory_percent(625, 1000), 62);  // 62.5
    EXPECT_EQ(free_memory_percent(635, 1000), 64);  // 63.5
    EXPECT_EQ(free_memory_percent(626, 1000), 63);
    EXPECT_EQ(free_memory_percent(0, 0), 0);
    // Machines beyond 4 GiB keep their real share.
    EXPECT_EQ(free_memory_percent(6ull << 30, 24ull << 30), 25);
}

TEST(DisplayValues, MetricValuesByKind) {
    DisplayFigures f;
    f.SystemResources = 80;
    f.UserResources = 85;
    f.GDIResources = 90;
    f.CPUUsage = 104;  // an overshooting sample
    f.PhysicalFree = 370;
    f.PhysicalTotal = 1000;
    EXPECT_EQ(metric_value(1, f), 80);
    EXPECT_EQ(metric_value(2, f), 85);
    EXPECT_EQ(metric_value(3, f), 90);
    EXPECT_EQ(metric_value(4, f), 100);
    EXPECT_EQ(metric_value(5, f), 37);
    EXPECT_EQ(metric_value(6, f), -1);
    EXPECT_EQ(metric_value(0, f), -1);
    f.CPUUsage = -3;
    EXPECT_EQ(metric_value(4, f), 0);
    f.CPUUsage = kNoCpuUsage;  // the 95 family's processor statistic is not running
    EXPECT_EQ(metric_value(4, f), -1);
    EXPECT_TRUE(needs_redraw(0, -2));
    EXPECT_FALSE(needs_redraw(37, 37));
    EXPECT_FALSE(needs_redraw(-1, -2));  // the program's own icon is never drawn over
}

TEST(DisplayValues, Texts) {
    EXPECT_EQ(memory_gauge_text(39845888, 256), L"38/256 MB");
    EXPECT_EQ(memory_gauge_text(1048575, 256), L"0/256 MB");
    EXPECT_EQ(memory_gauge_text(20ull << 30, 23971), L"20480/23971 MB");
    DisplayFigures f{370, 1000, 5, 12, 80, 85, 90};
    EXPECT_EQ(tray_hint_text(f), L"CPU 12% Sys 80% User 85% GDI 90% Mem 37% Swap 5%");
    EXPECT_EQ(alarm_text(15), L"システムリソースが不足しています（現在15%）");
}

TEST(DisplayValues, AlarmSoundsOncePerShortage) {
    bool shown = false, timer3 = false;
    // Returns what a refresh at `resources` decides, applying it as the main window does.
    auto refresh = [&](int resources) {
        auto d = alarm_decision(true, resources, 20, shown, timer3);
        if (d == AlarmDecision::Show) shown = true;
        if (d == AlarmDecision::Rearm) { shown = false; timer3 = true; }
        return d;
    };
    EXPECT_EQ(refresh(20), AlarmDecision::Show);  // at the threshold
    EXPECT_EQ(refresh(15), AlarmDecision::None);
    EXPECT_EQ(refresh(21), AlarmDecision::Rearm);
    EXPECT_EQ(refresh(19), AlarmDecision::None);  // within the minute
    timer3 = false;                                // the minute is over
    EXPECT_EQ(refresh(19), AlarmDecision::Show);
    EXPECT_EQ(alarm_decision(false, 5, 20, false, false), AlarmDecision::None);
}

} // namespace
} // namespace qv::app

namespace qv::app {
namespace {

TEST(AutoHide, EdgesCountAsInside) {
    EXPECT_TRUE(pointer_over(100, 100, 100, 100, 223, 110));
    EXPECT_TRUE(pointer_over(323, 210, 100, 100, 223, 110));  // right and bottom edges
    EXPECT_FALSE(pointer_over(324, 150, 100, 100, 223, 110));
    EXPECT_FALSE(pointer_over(150, 211, 100, 100, 223, 110));
    EXPECT_FALSE(pointer_over(99, 150, 100, 100, 223, 110));
}

} // namespace
} // namespace qv::app
