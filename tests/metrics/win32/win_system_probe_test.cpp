// The probe, its timer and the statistics monitor on the real system (under Wine in the test run).
#include "metrics/win32/win_system_probe.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "base/win32/pending_messages.h"

namespace {

using namespace qv::metrics;
using namespace qv::metrics::win32;

// Runs this thread's messages for about `milliseconds`.
void run_messages_for(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        qv::win::run_pending_messages();
        ::Sleep(1);
    }
}

// The machine's memory as Linux reports it, when the test runs under Wine (drive Z: is the root).
std::uint64_t host_memory_total() {
    FILE* file = std::fopen("Z:\\proc\\meminfo", "r");
    if (!file) return 0;
    char line[256];
    unsigned long long kib = 0;
    while (std::fgets(line, sizeof(line), file)) {
        if (std::sscanf(line, "MemTotal: %llu kB", &kib) == 1) break;
    }
    std::fclose(file);
    return kib * 1024;
}

TEST(WinSystemProbe, FiguresAreSane) {
    WinSystemProbe probe;
    int refreshed = 0;
    probe.OnRefreshed = [&](TSystemProbe&) { ++refreshed; };
    probe.Load(kMainWindowProbe);
    ASSERT_EQ(refreshed, 1);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        if (i) {
            ::Sleep(50);
            probe.Refresh();
        }
        EXPECT_GE(probe.Kernel.CPUUsage, 0);
        EXPECT_LE(probe.Kernel.CPUUsage, 100);
        const TMemory& m = probe.Memory;
        EXPECT_GT(m.PhysicalTotal, 0u);
        EXPECT_LE(m.PhysicalFree, m.PhysicalTotal);
        EXPECT_LE(m.PageFileFree, m.PageFileTotal);
        EXPECT_GE(m.SwapUsage, 0);
        EXPECT_LE(m.SwapUsage, 100);
        EXPECT_LE(m.MemoryLoad, 100);
        EXPECT_EQ(probe.Status, L"Ready");
    }
    EXPECT_EQ(TotalMB(probe.Memory), static_cast<std::int32_t>(probe.Memory.PhysicalTotal >> 20));
    if (const std::uint64_t host = host_memory_total()) {
        const double ratio = static_cast<double>(probe.Memory.PhysicalTotal) / static_cast<double>(host);
        EXPECT_NEAR(ratio, 1.0, 0.01) << "the machine's memory";
    }
    if (probe.platform() == Platform::Nt) {
        EXPECT_GE(probe.Kernel.NumberOfProcessors, 1);
        EXPECT_EQ(probe.Resources.SystemResources, 100);
        EXPECT_EQ(probe.Resources.GDIResources, 100);
        EXPECT_EQ(probe.Resources.UserResources, 100);
        EXPECT_EQ(probe.Kernel.Threads, -1);
        EXPECT_EQ(probe.Kernel.VMs, -1);
    }
    EXPECT_EQ(probe.RefreshTime, 3);
}

TEST(WinSystemProbe, TheTimerRefreshesFromThisThreadsMessages) {
    WinSystemProbe probe;
    int refreshed = 0;
    probe.OnRefreshed = [&](TSystemProbe&) { ++refreshed; };
    probe.SetRefreshInterval(20);
    run_messages_for(400);
    EXPECT_GE(refreshed, 3);

    probe.SetAutoRefresh(false);
    run_messages_for(30);
    const int stopped_at = refreshed;
    run_messages_for(200);
    EXPECT_EQ(refreshed, stopped_at);
}

TEST(WindowTimer, ATickNeverRunsInsideAnother) {
    WindowTimer timer;
    int ticks = 0;
    int errors = 0;
    int nested = 0;
    bool inside = false;
    timer.set_handler([&] {
        if (inside) ++nested;
        inside = true;
        ++ticks;
        run_messages_for(100);  // a refresh lets messages run
        inside = false;
        if (ticks == 1) throw std::runtime_error("refresh failed");
    });
    // An error box runs a message loop too; while it is open no tick starts.
    timer.set_error_handler([&](std::exception_ptr) {
        ++errors;
        const int before = ticks;
        run_messages_for(100);
        EXPECT_EQ(ticks, before);
    });
    timer.set_interval(10);
    timer.set_enabled(true);
    run_messages_for(500);
    timer.set_enabled(false);
    EXPECT_GE(ticks, 2) << "the next tick tries again";
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(nested, 0);
}

TEST(WinSysMon, WithoutStatisticsReadsGiveMinusOne) {
    if (current_platform() != Platform::Nt) GTEST_SKIP() << "the NT family has no statistics";
    WinSysMon mon;
    TMonObject& item = mon.Monitors().Add("KERNEL", "CPUUsage");
    EXPECT_EQ(item.ReadValue(), -1);
    EXPECT_FALSE(item.Started());
    mon.Machine = "no-such-machine-here";
    EXPECT_EQ(item.ReadValue(), -1);
}

} // namespace
