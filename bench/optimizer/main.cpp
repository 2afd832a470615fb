// A 1024 MiB run of the optimizer against a bare loop of the same 1024 commits, writes and releases,
// measured alternately in the same process. Prints both times and their ratio. A round in which either
// side obtained fewer blocks than asked (the system refused some) did less work: it is left out and
// counted, and the benchmark fails when fewer than 9 rounds are left.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/support/bare_loop.h"
#include "bench/support/bench_clock.h"
#include "optimizer/win32/win_max_mem.h"

namespace {

using qv::optimizer::TMaxMem;

double now_ms() { return qv::bench::wall_microseconds() / 1000.0; }

// The system's blocks, counting those it gave.
class CountedBlocks : public qv::optimizer::win32::VirtualMemoryBlocks {
public:
    void* commit(std::size_t bytes) override {
        void* block = VirtualMemoryBlocks::commit(bytes);
        if (block) ++obtained;
        return block;
    }
    int obtained = 0;
};

} // namespace

int main() {
    CountedBlocks blocks;
    qv::win::SystemMemoryStatus status;
    TMaxMem mem(blocks, status);
    int progress_events = 0;
    mem.OnProgress = [&](TMaxMem&, std::int32_t) { ++progress_events; };

    constexpr int kRounds = 9, kMaxAttempts = 2 * kRounds;
    std::vector<double> engine, bare;
    int refused = 0;
    qv::bench::bare_loop(TMaxMem::MaxBlocks);  // first touch of the address space, kept out of both series
    for (int attempt = 0; attempt < kMaxAttempts && static_cast<int>(engine.size()) < kRounds; ++attempt) {
        blocks.obtained = 0;
        double start = now_ms();
        mem.RunDefrag(TMaxMem::MaxBlocks);
        const double engine_ms = now_ms() - start;
        start = now_ms();
        const int bare_obtained = qv::bench::bare_loop(TMaxMem::MaxBlocks);
        const double bare_ms = now_ms() - start;
        if (blocks.obtained < TMaxMem::MaxBlocks || bare_obtained < TMaxMem::MaxBlocks) {
            std::fprintf(stderr, "round left out: the run obtained %d blocks, the bare loop %d, of %d\n",
                         blocks.obtained, bare_obtained, TMaxMem::MaxBlocks);
            ++refused;
            continue;
        }
        engine.push_back(engine_ms);
        bare.push_back(bare_ms);
    }
    const int rounds = static_cast<int>(engine.size());
    if (rounds < kRounds) {
        std::printf("FAILED: %d rounds of %d left out, %d left\n", refused, refused + rounds, rounds);
        return 1;
    }
    const double engine_ms = qv::bench::median(engine);
    const double bare_ms = qv::bench::median(bare);
    std::printf("RunDefrag(1024): median %.1f ms over %d runs (%d progress events each, %d rounds left out)\n",
                engine_ms, rounds, progress_events / (rounds + refused), refused);
    std::printf("bare loop      : median %.1f ms over %d runs\n", bare_ms, rounds);
    std::printf("ratio          : %.3f (target <= 1.05)\n", engine_ms / bare_ms);
    return 0;
}
