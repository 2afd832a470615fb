#pragma once
// What the display shows of the probe's figures: the numbers of the tray icons, the memory gauge's
// text, the tray hint, and the low System-resource alarm's decisions.
#include <cstdint>
#include <string>

namespace qv::metrics {
class TSystemProbe;
}

namespace qv::app {

// The figures of one probe refresh, as the display uses them.
struct DisplayFigures {
    std::uint64_t PhysicalFree = 0;   // bytes
    std::uint64_t PhysicalTotal = 0;  // bytes
    int SwapUsage = 0;                // percent
    int CPUUsage = 0;                 // percent, as measured (a sample may overshoot 0..100)
    int SystemResources = 0;          // free, percent
    int UserResources = 0;
    int GDIResources = 0;
};

// The probe's last figures as the display uses them.
DisplayFigures figures_of(const metrics::TSystemProbe& probe);

// Free memory in percent, rounded to the nearest integer with halves to even (62.5 shows as 62).
int free_memory_percent(std::uint64_t free_bytes, std::uint64_t total_bytes);
// CPU usage as shown: limited to 0..100.
int shown_cpu_usage(int cpu_usage);
// The probe's CPU usage when it has none: the 95 family's statistic is not running (or missing).
inline constexpr int kNoCpuUsage = -1;
// The number a tray icon of metric kind 1..5 shows; -1 for kind 6 (the program's own icon) and others, and
// for a CPU usage the probe does not have.
int metric_value(int kind, const DisplayFigures& figures);
// A tray icon is redrawn only for a shown number (0 or more) that differs from the last one drawn.
inline bool needs_redraw(int value, int last_shown) { return value >= 0 && value != last_shown; }

// "38/256 MB": free megabytes (rounded down) over TotalMB.
std::wstring memory_gauge_text(std::uint64_t free_bytes, long long total_mb);
// "CPU 12% Sys 80% User 85% GDI 90% Mem 37% Swap 5%".
std::wstring tray_hint_text(const DisplayFigures& figures);

// The low System-resource alarm: shown once per shortage (at or below the threshold), re-armed only
// after the resources rose strictly above it, and then not again before Timer3's minute is over.
enum class AlarmDecision { None, Show, Rearm };
AlarmDecision alarm_decision(bool alarm_on, int system_resources, int alarm_value, bool alarm_shown,
                             bool timer3_running);
std::wstring alarm_text(int system_resources);

} // namespace qv::app

namespace qv::app {

// Auto-hide: the pointer counts as over the window's last rectangle with its right and bottom edges
// included (left <= x <= left + width, top <= y <= top + height).
inline bool pointer_over(int x, int y, int left, int top, int width, int height) {
    return left <= x && x <= left + width && top <= y && y <= top + height;
}

} // namespace qv::app
