#include "app/display_values.h"

#include <algorithm>
#include <cmath>

#include "metrics/system_probe.h"

namespace qv::app {

int free_memory_percent(std::uint64_t free_bytes, std::uint64_t total_bytes) {
    if (total_bytes == 0) return 0;
    const long double percent = static_cast<long double>(free_bytes) / static_cast<long double>(total_bytes) * 100.0L;
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<int>(std::nearbyint(percent));
}

int shown_cpu_usage(int cpu_usage) { return std::clamp(cpu_usage, 0, 100); }

int metric_value(int kind, const DisplayFigures& f) {
    switch (kind) {
    case 1: return f.SystemResources;
    case 2: return f.UserResources;
    case 3: return f.GDIResources;
    case 4: return f.CPUUsage == kNoCpuUsage ? -1 : shown_cpu_usage(f.CPUUsage);
    case 5: return free_memory_percent(f.PhysicalFree, f.PhysicalTotal);
    default: return -1;
    }
}

std::wstring memory_gauge_text(std::uint64_t free_bytes, long long total_mb) {
    return std::to_wstring(free_bytes / 1048576) + L"/" + std::to_wstring(total_mb) + L" MB";
}

std::wstring tray_hint_text(const DisplayFigures& f) {
    return L"CPU " + std::to_wstring(f.CPUUsage) + L"% Sys " + std::to_wstring(f.SystemResources) + L"% User " +
           std::to_wstring(f.UserResources) + L"% GDI " + std::to_wstring(f.GDIResources) + L"% Mem " +
           std::to_wstring(free_memory_percent(f.PhysicalFree, f.PhysicalTotal)) + L"% Swap " +
           std::to_wstring(f.SwapUsage) + L"%";
}

AlarmDecision alarm_decision(bool alarm_on, int system_resources, int alarm_value, bool alarm_shown,
                             bool timer3_running) {
    if (!alarm_on) return AlarmDecision::None;
    if (system_resources <= alarm_value && !alarm_shown && !timer3_running) return AlarmDecision::Show;
    if (system_resources > alarm_value && alarm_shown) return AlarmDecision::Rearm;
    return AlarmDecision::None;
}

std::wstring alarm_text(int system_resources) {
    return L"システムリソースが不足しています（現在" + std::to_wstring(system_resources) + L"%）";
}

DisplayFigures figures_of(const metrics::TSystemProbe& probe) {
    DisplayFigures f;
    f.PhysicalFree = probe.Memory.PhysicalFree;
    f.PhysicalTotal = probe.Memory.PhysicalTotal;
    f.SwapUsage = probe.Memory.SwapUsage;
    f.CPUUsage = probe.Kernel.CPUUsage;
    f.SystemResources = probe.Resources.SystemResources;
    f.UserResources = probe.Resources.UserResources;
    f.GDIResources = probe.Resources.GDIResources;
    return f;
}

} // namespace qv::app
