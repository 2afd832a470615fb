// The cost of one probe refresh on the real system, beside one bare memory-status call measured in the
// same run: median wall time per call, and CPU time per call (thread times over batches, since their
// resolution is far coarser than one call).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/support/bench_clock.h"
#include "metrics/win32/win_system_probe.h"

namespace {

using qv::bench::median;
double now_us() { return qv::bench::wall_microseconds(); }
double thread_cpu_us() { return qv::bench::thread_cpu_microseconds(); }

struct Cost {
    double wall_us;
    double cpu_us;
};

Cost measure(const std::function<void()>& call, int batches, int per_batch) {
    std::vector<double> walls, cpus;
    for (int b = 0; b < batches; ++b) {
        const double cpu_start = thread_cpu_us();
        for (int i = 0; i < per_batch; ++i) {
            const double start = now_us();
            call();
            walls.push_back(now_us() - start);
        }
        cpus.push_back((thread_cpu_us() - cpu_start) / per_batch);
    }
    return {median(walls), median(cpus)};
}

} // namespace

int main() {
    qv::metrics::win32::WinSystemProbe probe;
    probe.Load(qv::metrics::kMainWindowProbe);
    probe.SetAutoRefresh(false);  // only the measured calls
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);

    constexpr int kBatches = 7, kPerBatch = 2000;  // thread times tick in 10-16 ms steps
    const Cost bare = measure([&] { ::GlobalMemoryStatusEx(&status); }, kBatches, kPerBatch);
    const Cost refresh = measure([&] { probe.Refresh(); }, kBatches, kPerBatch);
    const Cost bare_again = measure([&] { ::GlobalMemoryStatusEx(&status); }, kBatches, kPerBatch);

    std::printf("platform: %s, %d processors\n",
                probe.platform() == qv::metrics::Platform::Nt ? "NT family" : "95 family",
                probe.Kernel.NumberOfProcessors);
    std::printf("GlobalMemoryStatusEx: median wall %.2f us, CPU %.2f us per call (again: %.2f / %.2f)\n",
                bare.wall_us, bare.cpu_us, bare_again.wall_us, bare_again.cpu_us);
    std::printf("Refresh             : median wall %.2f us, CPU %.2f us per call\n", refresh.wall_us,
                refresh.cpu_us);
    std::printf("ratio to the bare call (wall): %.1f\n", refresh.wall_us / bare.wall_us);
    std::printf("CPU per refresh: %.1f us (target < 100 us); share of one core at a 100 ms refresh: %.3f %% "
                "(target < 0.5 %%)\n",
                refresh.cpu_us, refresh.cpu_us / 100000.0 * 100.0);
    return 0;
}
