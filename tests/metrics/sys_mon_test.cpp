#include "metrics/sys_mon.h"

#include <gtest/gtest.h>

#include "metrics/figures.h"
#include "metrics/fakes.h"

namespace {

using namespace qv::metrics;

using fakes::kStatData;
constexpr const char* kStartStat = "PerfStats\\StartStat";
constexpr const char* kStopStat = "PerfStats\\StopStat";
constexpr const char* kCatalogue = "System\\CurrentControlSet\\Control\\PerfStats\\Enum";
constexpr const char* kCpu = "KERNEL\\CPUUsage";

class SysMonTest : public ::testing::Test {
protected:
    fakes::Registry registry;
    fakes::Clock clock;
    std::unique_ptr<TSysMon> mon = std::make_unique<TSysMon>(registry, clock);

    // The statistics of a 95-family machine with the processor counter.
    void install_kernel_statistics(const std::string& machine = "") {
        registry.set_int32(kStartStat, kCpu, 0, machine);
        registry.set_int32(kStopStat, kCpu, 0, machine);
        registry.set_int32(kStatData, kCpu, 0, machine);
    }
    void set_raw(std::int32_t value) { registry.set_int32(kStatData, kCpu, value); }
    TMonObject& cpu_item() { return mon->Monitors().Add("KERNEL", "CPUUsage"); }
};

TEST_F(SysMonTest, AnItemWithoutNamesReadsNothing) {
    install_kernel_statistics();
    for (auto [object, counter] : {std::pair{"KERNEL", ""}, std::pair{"", "CPUUsage"}}) {
        TMonObject& item = mon->Monitors().Add(object, counter);
        EXPECT_EQ(item.ReadValue(), -1);
        item.StartCounter();
        EXPECT_FALSE(item.Started());
    }
    mon.reset();
    EXPECT_EQ(registry.log, std::vector<std::string>{});
}

TEST_F(SysMonTest, RawValuesStartTheStatisticOnceAndStopItWhenDestroyed) {
    install_kernel_statistics();
    TMonObject& item = cpu_item();
    set_raw(37);
    EXPECT_EQ(item.ReadValue(), 37);
    EXPECT_TRUE(item.Started());
    EXPECT_TRUE(registry.logged("read DYN\\PerfStats\\StartStat:KERNEL\\CPUUsage"));
    registry.log.clear();
    set_raw(38);
    EXPECT_EQ(item.ReadValue(), 38);
    EXPECT_FALSE(registry.logged("read DYN\\PerfStats\\StartStat")) << "started once";
    EXPECT_FALSE(registry.logged("read DYN\\PerfStats\\StopStat"));
    mon.reset();
    EXPECT_TRUE(registry.logged("read DYN\\PerfStats\\StopStat:KERNEL\\CPUUsage"));
}

TEST_F(SysMonTest, WithoutStatisticsEverythingQuietlyReadsNothing) {
    // The NT family: none of the keys exist.
    TMonObject& item = cpu_item();
    EXPECT_EQ(item.ReadValue(), -1);
    EXPECT_EQ(item.ReadValue(), -1);
    EXPECT_FALSE(item.Started());
    registry.log.clear();
    mon->Monitors().Delete(0);
    EXPECT_EQ(registry.log, std::vector<std::string>{}) << "an item never started stops nothing";
}

TEST_F(SysMonTest, AMissingValueGivesMinusOneAndKeepsThePreviousRead) {
    install_kernel_statistics();
    registry.set_text(std::string(kCatalogue) + "\\KERNEL\\CPUUsage", "Differentiate", "TRUE");
    TMonObject& item = cpu_item();
    clock.now = 10000;
    set_raw(1000);
    EXPECT_EQ(item.ReadValue(), 100);  // 1000 x 1000 over 10 s since start

    registry.node(RegistryRoot::DynData, kStatData).values.clear();
    clock.now = 11000;
    EXPECT_EQ(item.ReadValue(), -1);
    registry.node(RegistryRoot::DynData, kStatData).values[kCpu] = {0x0D, 0x11};  // 4365 in two bytes
    clock.now = 12000;
    EXPECT_EQ(item.ReadValue(), 1682) << "(4365 - 1000) over the 2 s since the last value read";
}

TEST_F(SysMonTest, RatesPerSecondOfDifferentiatedCounters) {
    struct Read {
        std::uint32_t tick;
        std::int32_t raw;
        std::optional<std::int32_t> expected;  // nothing: a read that only sets the starting point
    };
    struct Case {
        const char* name;
        std::vector<Read> reads;
    };
    const std::nullopt_t start = std::nullopt;
    const Case cases[] = {
        {"first read: against tick 0 and value 0", {{4000, 6, 2}, {6000, 5006, 2500}}},
        {"halves to even", {{1000, 0, start}, {3000, 3, 2}, {5000, 8, 2}, {7000, 15, 4}}},
        {"decreasing", {{1000, 0, start}, {2000, -250, -250}}},
        {"same millisecond: no rate, measured from the earlier read",
         {{1000, 0, start}, {3000, 100, 50}, {3000, 200, -1}, {4000, 400, 300}}},
        {"across the tick count's wrap", {{0xFFFFFC18u, 0, start}, {0x000003E8u, 500, 250}}},
        {"across the counter's wrap", {{1000, 0x7FFFFFF0, start}, {2000, static_cast<std::int32_t>(0x80000010u), 32}}},
        {"totals growing fast", {{1000, 0, start}, {2000, 3000000, 3000000}}},
        {"beyond the 32-bit range", {{1000, 0, start}, {1001, 0x7FFFFFFF, 0x7FFFFFFF}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.roots.clear();
        install_kernel_statistics();
        registry.set_text(std::string(kCatalogue) + "\\KERNEL\\CPUUsage", "Differentiate", "TRUE");
        TMonObject& item = cpu_item();
        for (const Read& r : c.reads) {
            clock.now = r.tick;
            set_raw(r.raw);
            const std::int32_t value = item.ReadValue();
            if (r.expected) {
                EXPECT_EQ(value, *r.expected) << "at tick " << r.tick;
            }
        }
        EXPECT_TRUE(item.Differentiate);
        mon->Monitors().Clear();
    }
}

TEST_F(SysMonTest, DifferentiateComesFromTheCatalogueExactly) {
    struct Case {
        const char* name;
        std::optional<std::vector<std::uint8_t>> value;  // nothing: no catalogue entry at all
        bool before;
        bool after;
    };
    auto text = [](std::string s, bool terminated = true) {
        std::vector<std::uint8_t> data(s.begin(), s.end());
        if (terminated) data.push_back(0);
        return data;
    };
    const Case cases[] = {
        {"TRUE", text("TRUE"), false, true},
        {"true", text("true"), false, false},
        {"FALSE", text("FALSE"), true, false},
        {"TRUE without terminator", text("TRUE", false), false, true},
        {"TRUE and more", text("TRUEX"), false, false},
        {"TRUE, then garbage after the terminator", std::vector<std::uint8_t>{'T', 'R', 'U', 'E', 0, 'X'}, false, true},
        {"too long for the buffer", text(std::string(300, 'T')), true, false},
        {"no catalogue entry: left as it was", std::nullopt, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry.roots.clear();
        install_kernel_statistics();
        if (c.value) {
            registry.set_value(RegistryRoot::LocalMachine, std::string(kCatalogue) + "\\KERNEL\\CPUUsage",
                               "Differentiate", *c.value);
        }
        TMonObject& item = cpu_item();
        item.Differentiate = c.before;
        item.StartCounter();
        EXPECT_EQ(item.Differentiate, c.after);
        mon->Monitors().Clear();
    }
}

TEST_F(SysMonTest, AnotherMachineOrThisOneWhenItCannotBeReached) {
    struct Case {
        const char* machine;
        bool reachable;
        std::int32_t expected;
    };
    const Case cases[] = {{"", false, 11}, {"server", true, 22}, {"gone", false, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.machine);
        registry = fakes::Registry{};
        install_kernel_statistics();
        set_raw(11);
        install_kernel_statistics("\\\\server");
        registry.set_int32(kStatData, kCpu, 22, "\\\\server");
        if (c.reachable) registry.reachable.insert(std::string("\\\\") + c.machine);
        mon->Machine = c.machine;
        TMonObject& item = cpu_item();
        EXPECT_EQ(item.ReadValue(), c.expected);
        EXPECT_TRUE(item.Started());
        mon->Monitors().Clear();
    }
}

} // namespace
