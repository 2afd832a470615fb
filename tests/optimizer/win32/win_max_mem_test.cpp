// The optimizer on the real system (under Wine in the test run).
#include "optimizer/win32/win_max_mem.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using qv::optimizer::TMaxMem;
using qv::optimizer::win32::WinMaxMem;

constexpr std::uint64_t kMiB = 1 << 20;

// The process's commit charge: its committed private memory, from the address space itself (the same
// on Windows and under Wine, whose process counters report it differently).
std::uint64_t committed_private() {
    std::uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* at = nullptr;
    while (::VirtualQuery(at, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// Physical pages in use by the process: only pages written to count.
std::uint64_t working_set() {
    using Query = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    if (!query) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return query(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

TEST(WinMaxMem, A64MiBRunCommitsWritesAndReleasesEveryBlock) {
    WinMaxMem mem;
    const std::uint64_t commit_before = committed_private();
    const std::uint64_t resident_before = working_set();
    std::uint64_t commit_filled = 0;
    std::uint64_t resident_filled = 0;
    std::vector<std::int32_t> progress;
    mem.OnProgress = [&](TMaxMem&, std::int32_t value) {
        if (value == 50 && progress.size() == 63) {
            commit_filled = committed_private();
            resident_filled = working_set();
        }
        progress.push_back(value);
    };
    mem.RunDefrag(64);
    const std::uint64_t commit_after = committed_private();

    ASSERT_EQ(progress.size(), 128u);
    EXPECT_EQ(progress[63], 50);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_GE(commit_filled, commit_before + 64 * kMiB) << "all 64 blocks committed at once";
    if (resident_before) {
        EXPECT_GE(resident_filled, resident_before + 60 * kMiB) << "every page was written";
    }
    // Back where it was, give or take what the test's own bookkeeping allocates.
    EXPECT_LT(commit_after, commit_before + kMiB);
    EXPECT_FALSE(mem.Busy());
}

TEST(WinMaxMem, MemoryFiguresAreTheSystemsIn64Bits) {
    WinMaxMem mem;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
    EXPECT_EQ(mem.TotalMemory(), status.ullTotalPhys);
    const std::uint64_t free = mem.FreeMemory();
    EXPECT_GT(free, 0u);
    EXPECT_LE(free, mem.TotalMemory());
}

} // namespace
