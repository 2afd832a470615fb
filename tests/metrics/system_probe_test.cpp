#include "metrics/system_probe.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/app_error.h"
#include "metrics/figures.h"
#include "metrics/fakes.h"

namespace {

using namespace qv::metrics;
using qv::AppError;

using fakes::kStatData;

std::wstring error_text(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.text();
    }
    return L"(no error)";
}

class ProbeTest : public ::testing::Test {
protected:
    fakes::Memory memory;
    fakes::Clock clock;
    fakes::Registry registry;
    fakes::Timer timer;
    fakes::Nt nt;
    fakes::Thunk thunk;
    int pumps = 0;
    int refreshed = 0;

    std::unique_ptr<TSystemProbe> make(Platform platform) {
        auto probe = std::make_unique<TSystemProbe>(ProbeSystem{.platform = platform,
                                                                .memory = memory,
                                                                .clock = clock,
                                                                .registry = registry,
                                                                .timer = timer,
                                                                .nt = &nt,
                                                                .thunk16 = &thunk,
                                                                .pump_messages = [this] { ++pumps; },
                                                                .nt_layout = nt.layout});
        probe->OnRefreshed = [this](TSystemProbe&) { ++refreshed; };
        return probe;
    }
};

TEST(Figures, SwapUsageTruncatesTheExtendedPercentage) {
    struct Case {
        std::uint64_t free, total;
        std::int32_t usage;
    };
    const Case cases[] = {
        {261197824, 375259136, 31},  // 69.6 % free
        {1180, 2000, 42},            // 59 % free comes out as 58.99...
        {0, 2000, 100},
        {2000, 2000, 0},
        {5000, 2000, 0},             // inconsistent report: no negative usage
        {0, 0, 0},                   // no swap file: no division
        {3ull << 32, 4ull << 32, 25},  // beyond 32 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwapUsagePercent(c.free, c.total), c.usage) << c.free << " of " << c.total;
    }
}

TEST(Figures, NtCpuUsageFromTwoSamples) {
    struct Case {
        std::int64_t idle0, time0, idle1, time1;
        std::uint8_t processors;
        std::optional<std::int32_t> usage;
    };
    const std::int64_t big = 0x1234567800000000;  // the high halves matter
    const Case cases[] = {
        {0, 0, 7500000, 10000000, 1, 25},  // 100 - 75 + 0.5 = 25.5
        {0, 0, 7500000, 10000000, 2, 63},  // 100 - 37.5 + 0.5 = 63.0
        {big, big, big + 7500000, big + 10000000, 1, 25},
        {5, 10, 5, 20, 1, 100},
        {0, 0, 30000000, 10000000, 2, 0},  // idle accounted beyond the time: not below 0
        {0, 0, 0, 10000000, 0, 100},       // no processor count: taken as one
        {0, 10, 100, 10, 1, std::nullopt},  // the time has not moved
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NtCpuUsage(c.idle0, c.time0, c.idle1, c.time1, c.processors), c.usage)
            << c.idle1 - c.idle0 << "/" << c.time1 - c.time0 << " on " << int(c.processors);
    }
}

TEST_F(ProbeTest, MemoryGroupKeepsSizesBeyond32Bits) {
    memory.status = {37, 6ull << 30, 5ull << 30, 375259136, 261197824, 2ull << 30, 1ull << 30};
    auto probe = make(Platform::Nt);
    probe->Refresh();
    const TMemory& m = probe->Memory;
    EXPECT_EQ(m.PhysicalTotal, 6ull << 30);
    EXPECT_EQ(m.PhysicalFree, 5ull << 30);
    EXPECT_EQ(m.SwapFileSize, 114061312u);
    EXPECT_EQ(m.SwapUsage, 31);
    EXPECT_EQ(TotalMB(m), 6144);
}

TEST(TotalMB, WholeMegabytesRoundedDown) {
    struct Case {
        std::uint64_t bytes;
        std::int32_t megabytes;
    };
    const Case cases[] = {{268435456 + 1048575, 256}, {1048575, 0}, {64ull << 30, 65536}, {~0ull, INT32_MAX}};
    for (const Case& c : cases) {
        TMemory m;
        m.PhysicalTotal = c.bytes;
        EXPECT_EQ(TotalMB(m), c.megabytes) << c.bytes;
    }
}

TEST_F(ProbeTest, NtProcessorCountIsReadAtItsOffsetForEitherPointerSize) {
    for (NtLayout layout : {NtLayout::for_32bit_process(), NtLayout::for_64bit_process()}) {
        nt.layout = layout;
        nt.processors = 6;
        auto probe = make(Platform::Nt);
        EXPECT_EQ(probe->Kernel.NumberOfProcessors, 6);
        EXPECT_EQ(nt.faults, std::vector<std::string>{});
    }
}

TEST_F(ProbeTest, NtRefreshMeasuresSinceThePreviousSampleAndLetsMessagesRunOnce) {
    nt.processors = 2;
    // The first refresh has no sample: it takes samples until the system time moves.
    nt.samples = {{100, 1000}, {100, 1000}, {100, 1000}, {1100, 2000}, {1100, 2000}, {3100, 12000}};
    auto probe = make(Platform::Nt);
    probe->Refresh();
    EXPECT_EQ(probe->Kernel.CPUUsage, 50);  // idle 1000 of 1000 x 2 processors, + 0.5
    EXPECT_EQ(nt.samples.size(), 2u) << "four samples, the last one has moved";
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(probe->Kernel.Threads, -1);
    EXPECT_EQ(probe->Kernel.VMs, -1);
    EXPECT_EQ(probe->Resources.SystemResources, 100);
    EXPECT_EQ(probe->Resources.GDIResources, 100);
    EXPECT_EQ(probe->Resources.UserResources, 100);

    probe->Refresh();  // from the previous refresh's sample (1100, 2000) to (1100, 2000): not moved yet
    EXPECT_EQ(probe->Kernel.CPUUsage, 90);  // idle 2000 of 10000 x 2 -> 100 - 10 + 0.5
    EXPECT_EQ(pumps, 2);
    EXPECT_EQ(refreshed, 2);
    EXPECT_EQ(nt.faults, std::vector<std::string>{});
}

TEST_F(ProbeTest, NtRefreshGivesUpOnAClockThatNeverMoves) {
    struct Case {
        const char* name;
        std::uint32_t tick_step;
    };
    // Either the tick count shows that the wait is too long, or the number of samples does.
    for (const Case& c : {Case{"tick count moving", 1}, Case{"tick count frozen too", 0}}) {
        SCOPED_TRACE(c.name);
        clock.step_per_read = c.tick_step;
        nt.samples = {{100, 5000}};
        nt.queries = 0;
        refreshed = 0;
        auto probe = make(Platform::Nt);
        probe->Kernel.CPUUsage = 7;
        probe->Refresh();
        EXPECT_EQ(refreshed, 1);
        EXPECT_EQ(probe->Kernel.CPUUsage, 7) << "keeps its value";
        EXPECT_EQ(probe->Kernel.Threads, -1);
        EXPECT_LE(nt.queries, 1 + 2 * static_cast<int>(TSystemProbe::kMaxSpinSamples));

        nt.samples = {{600, 6000}};  // the clock moves again: measured from the stuck sample
        probe->Refresh();
        EXPECT_EQ(probe->Kernel.CPUUsage, 50);
    }
}

TEST_F(ProbeTest, NtFailuresRaiseTheSystemTexts) {
    struct Case {
        const char* name;
        bool loadable;
        std::uint32_t failing_class;
        bool at_construction;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"no NtQuerySystemInformation", false, 99, true, L"Faild to call ntdll.DLL"},
        {"basic information", true, 0, true, L"Error"},
        {"time of day", true, 3, false, L"Error"},
        {"performance", true, 2, false, L"Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nt.loadable = c.loadable;
        nt.failing = {};
        memory.status.total_phys = 0;
        refreshed = 0;
        if (c.at_construction) {
            nt.failing[c.failing_class] = static_cast<std::int32_t>(0xC0000004);
            EXPECT_EQ(error_text([&] { make(Platform::Nt); }), c.text);
            continue;
        }
        auto probe = make(Platform::Nt);
        nt.failing[c.failing_class] = static_cast<std::int32_t>(0xC0000004);
        memory.status.total_phys = 1 << 30;
        EXPECT_EQ(error_text([&] { probe->Refresh(); }), c.text);
        EXPECT_EQ(refreshed, 0);
        EXPECT_EQ(probe->Status, L"Refreshing...");
        EXPECT_EQ(probe->Memory.PhysicalTotal, 1u << 30) << "groups before the kernel keep their new values";
    }
}

TEST_F(ProbeTest, Win95ResourcesThroughThe16BitUserLibrary) {
    auto probe = make(Platform::Windows95);
    probe->Refresh();
    EXPECT_EQ(probe->Resources.SystemResources, 81);
    EXPECT_EQ(probe->Resources.GDIResources, 72);
    EXPECT_EQ(probe->Resources.UserResources, 63);
    const std::vector<std::string> one_call{"LoadLibrary16 User.exe", "GetProcAddress16 GetFreeSystemResources",
                                            "LoadLibraryA", "call 4653072 0", "FreeLibrary", "FreeLibrary16 4660"};
    ASSERT_EQ(thunk.calls.size(), 3 * one_call.size());
    EXPECT_EQ(std::vector<std::string>(thunk.calls.begin(), thunk.calls.begin() + 6), one_call);
    EXPECT_EQ(thunk.calls[3 + 6], "call 4653072 1");  // GDI second
    EXPECT_EQ(thunk.calls[3 + 12], "call 4653072 2");  // User last
    EXPECT_EQ(nt.queries, 0);
}

TEST_F(ProbeTest, Win95ResourceFailuresRaiseTheirTextsAndFreeWhatWasLoaded) {
    struct Case {
        int failing_step;
        const wchar_t* text;
    };
    const Case cases[] = {{1, L"Faild to call User.exe"},
                          {2, L"Faild to call function"},
                          {3, L"Faild to call Kernel32.dll"},
                          {4, L"Faild to call QT_Thunk"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing_step);
        thunk = fakes::Thunk{};
        thunk.failing_step = c.failing_step;
        auto probe = make(Platform::Windows95);
        memory.status.total_phys = 1 << 30;
        EXPECT_EQ(error_text([&] { probe->Refresh(); }), c.text);
        EXPECT_EQ(probe->Memory.PhysicalTotal, 0u) << "groups after the resources are not refreshed";
        EXPECT_EQ(thunk.libraries16, 0);
        EXPECT_EQ(thunk.kernel32, 0);
        EXPECT_EQ(probe->Status, L"Refreshing...");
    }

    // A 64-bit build on the 95 family has no thunk services at all.
    ProbeSystem without{.platform = Platform::Windows95, .memory = memory, .clock = clock, .registry = registry,
                        .timer = timer};
    TSystemProbe probe(std::move(without));
    EXPECT_EQ(error_text([&] { probe.Refresh(); }), L"Faild to call User.exe");
}

TEST_F(ProbeTest, StatisticsValuesKeysAndMissingOnes) {
    struct Case {
        const char* name;
        Platform platform;
        bool key;
        bool cpu_value;
        std::int32_t cpu, threads, dial_up;
    };
    const Case cases[] = {
        {"95, all there", Platform::Windows95, true, true, 42, 17, 28800},
        {"95, processor statistic not started", Platform::Windows95, true, false, -1, 17, 28800},
        {"95, no statistics key", Platform::Windows95, false, false, 5, 5, 5},
        {"NT, no statistics key", Platform::Nt, false, false, 50, -1, 5},
        {"NT, even where the key exists (Wine)", Platform::Nt, true, true, 50, -1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.roots.clear();
        if (c.key) {
            registry.set_int32(kStatData, "KERNEL\\Threads", 17);
            registry.set_int32(kStatData, "KERNEL\\VMs", 3);
            if (c.cpu_value) registry.set_int32(kStatData, "KERNEL\\CPUUsage", 42);
            for (const char* name : {"ConnectSpeed", "BytesRecvd", "BytesXmit", "TotalBytesRecvd"}) {
                registry.set_int32(kStatData, std::string("Dial-Up Adapter\\") + name, 28800);
            }
            registry.set_value(qv::metrics::RegistryRoot::DynData, kStatData, "Dial-Up Adapter\\TotalBytesXmit",
                               {1, 2, 3, 4, 5});  // does not fit: not read
        }
        nt.samples = {{0, 0}, {500, 1000}};
        auto probe = make(c.platform);
        probe->Kernel = {5, 5, 5, probe->Kernel.NumberOfProcessors};
        probe->DialUp = {5, 5, 5, 5, 5};
        probe->Refresh();
        EXPECT_EQ(probe->Kernel.CPUUsage, c.cpu);
        EXPECT_EQ(probe->Kernel.Threads, c.threads);
        EXPECT_EQ(probe->DialUp.ConnectSpeed, c.dial_up);
        EXPECT_EQ(probe->DialUp.TotalBytesRecvd, c.dial_up);
        EXPECT_EQ(probe->DialUp.TotalBytesXmit, c.key && c.dial_up != 5 ? -1 : 5);
        EXPECT_EQ(refreshed, 1);
        refreshed = 0;
    }
}

TEST_F(ProbeTest, FirstRefreshIsMeasuredOnceAndMaySetTheInterval) {
    struct Case {
        const char* name;
        std::int32_t stored_time;
        bool smart;
        std::uint32_t takes_ms;
        std::int32_t time, interval;
        bool ticks;
    };
    const Case cases[] = {
        {"smart, 40 ms", -1, true, 40, 40, 200, true},
        {"smart, under 1 ms", -1, true, 0, 0, 0, false},
        {"measured, not smart", -1, false, 40, 40, 5000, true},
        {"stored time: no measurement", 3, true, 40, 3, 5000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        timer = fakes::Timer{};
        auto probe = make(Platform::Windows95);  // no processor spin: the clock is read at start and end
        probe->RefreshTime = c.stored_time;
        probe->SmartRefresh = c.smart;
        clock.step_per_read = c.takes_ms;
        probe->Refresh();
        EXPECT_EQ(probe->RefreshTime, c.time);
        EXPECT_EQ(probe->RefreshInterval(), c.interval);
        EXPECT_EQ(timer.ticks(), c.ticks);
        clock.step_per_read = 1000;
        probe->Refresh();
        EXPECT_EQ(probe->RefreshTime, c.time) << "measured at most once";
    }
}

TEST_F(ProbeTest, TimerFollowsTheSettersAndDrivesRefresh) {
    auto probe = make(Platform::Nt);
    EXPECT_EQ(timer.calls, (std::vector<std::string>{"interval 5000", "enable"}));
    EXPECT_TRUE(timer.ticks());
    timer.calls.clear();

    probe->SetAutoRefresh(true);
    probe->SetRefreshInterval(5000);
    EXPECT_EQ(timer.calls, std::vector<std::string>{}) << "same values: the timer is not touched";

    timer.handler();
    EXPECT_EQ(refreshed, 1);

    const std::int32_t cpu = probe->Kernel.CPUUsage;
    probe->SetAutoRefresh(false);
    probe->SetRefreshInterval(-5);
    EXPECT_EQ(timer.calls, (std::vector<std::string>{"disable", "interval 0"}));
    EXPECT_EQ(probe->RefreshInterval(), -5);
    EXPECT_EQ(probe->Kernel.CPUUsage, cpu);
    EXPECT_EQ(refreshed, 1) << "setters do not refresh";

    probe.reset();
    EXPECT_FALSE(timer.ticks()) << "no tick reaches a destroyed probe";
}

TEST_F(ProbeTest, LoadAppliesStoredValuesThenRefreshesOnceIfAutomatic) {
    auto probe = make(Platform::Nt);
    probe->Load(kMainWindowProbe);
    EXPECT_EQ(probe->RefreshInterval(), 2000);
    EXPECT_EQ(timer.interval, 2000u);
    EXPECT_EQ(probe->RefreshTime, 3);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(probe->Status, L"Ready");

    auto manual = make(Platform::Nt);
    manual->Load({1000, false, false, -1});
    EXPECT_EQ(refreshed, 1);
    EXPECT_FALSE(timer.ticks());
}

} // namespace
