// What another program waits for when it asks the real window for an optimization: the program as
// shipped is started, WM_USER+1 asks it for 512 MB, and the time to the reply is set against the bare
// commit-write-release loop of the same 512 blocks, run here, alternately, in the same run.
// Usage: bench_optimization_request [megabytes] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/menu_ids.h"
#include "bench/support/bench_clock.h"
#include "bench/support/launched_program.h"

namespace {

constexpr std::size_t kBlock = 1048576;

void bare_loop(int megabytes) {
    std::vector<void*> table(static_cast<std::size_t>(megabytes), nullptr);
    for (void*& block : table) {
        block = ::VirtualAlloc(nullptr, kBlock, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
        if (!block) continue;
        auto* word = static_cast<volatile std::uint32_t*>(block);
        for (std::size_t i = 0; i < kBlock / sizeof(std::uint32_t); ++i) word[i] = 0;
    }
    for (void* block : table) {
        if (block) ::VirtualFree(block, 0, MEM_RELEASE);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 512;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
    using qv::bench::wall_microseconds;

    qv::bench::LaunchedProgram program(qv::bench::own_folder() + L"shipped\\Quorvane.exe", L"TForm1",
                                       static_cast<WORD>(qv::app::MenuId::Exit1));
    program.start();
    const double deadline = wall_microseconds() + 30e6;
    while (!program.painted_and_answering()) {
        if (wall_microseconds() > deadline || !program.running()) {
            std::fprintf(stderr, "the program did not come up\n");
            return 1;
        }
        ::Sleep(20);
    }
    ::Sleep(1000);  // the start-up's own refreshes are over

    std::vector<double> request, bare;
    bare_loop(megabytes);  // first touch of the address space, kept out of both series
    if (!program.send(WM_USER + 1, 0, megabytes)) return 1;
    for (int round = 0; round < rounds; ++round) {
        double start = wall_microseconds();
        const auto reply = program.send(WM_USER + 1, 0, megabytes);
        request.push_back((wall_microseconds() - start) / 1000);
        if (reply != 1) std::fprintf(stderr, "round %d: the request was not answered with 1\n", round);
        ::Sleep(300);  // the refresh that follows a run
        start = wall_microseconds();
        bare_loop(megabytes);
        bare.push_back((wall_microseconds() - start) / 1000);
    }
    // The machine is shared: the median is what a request takes on a busy machine, the fastest round
    // the program's own cost.
    const double request_ms = qv::bench::median(request), bare_ms = qv::bench::median(bare);
    const double request_min = *std::min_element(request.begin(), request.end());
    const double bare_min = *std::min_element(bare.begin(), bare.end());
    std::printf("WM_USER+1 for %d MB, to the reply : median %7.1f ms, fastest %7.1f ms over %d rounds\n", megabytes,
                request_ms, request_min, rounds);
    std::printf("bare loop of %d blocks            : median %7.1f ms, fastest %7.1f ms\n", megabytes, bare_ms,
                bare_min);
    std::printf("ratio                             : %.2f, of the fastest %.2f (target <= 1.25)\n",
                request_ms / bare_ms, request_min / bare_min);
    return 0;
}
