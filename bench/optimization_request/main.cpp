// What another program waits for when it asks the real window for an optimization: the program as
// shipped is started, WM_USER+1 asks it for 512 MB, and the time to the reply is set against the bare
// commit-write-release loop of the same 512 blocks, run here, alternately, in the same run.
// A round whose request was not answered "run", or in which either side obtained fewer blocks than asked
// (the program's: how far its resident memory rose during the round), did less work: it is left out and
// counted, and the benchmark fails when fewer rounds than asked (at least 9) are left.
// Usage: bench_optimization_request [megabytes] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/menu_ids.h"
#include "bench/support/bare_loop.h"
#include "bench/support/bench_clock.h"
#include "bench/support/launched_program.h"

int main(int argc, char** argv) {
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 512;
    const int rounds = std::max(9, argc > 2 ? std::atoi(argv[2]) : 9);
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

    // Every block is written whole, so a run that obtained them all held at least this much more.
    const long long asked_kib = megabytes * 1024LL * 98 / 100;
    const bool counted = program.reset_resident_peak() && program.resident_peak_kib();
    if (!counted)
        std::printf("the program's blocks cannot be counted here: its rounds are checked by the reply only\n");

    std::vector<double> request, bare;
    int left_out = 0;
    qv::bench::bare_loop(megabytes);  // first touch of the address space, kept out of both series
    if (!program.send(WM_USER + 1, 0, megabytes)) return 1;
    for (int attempt = 0; attempt < 2 * rounds && static_cast<int>(request.size()) < rounds; ++attempt) {
        const auto resident_before =
            counted && program.reset_resident_peak() ? program.resident_peak_kib() : std::nullopt;
        double start = wall_microseconds();
        const auto reply = program.send(WM_USER + 1, 0, megabytes);
        const double request_ms = (wall_microseconds() - start) / 1000;
        const auto peak = program.resident_peak_kib();
        ::Sleep(300);  // the refresh that follows a run
        start = wall_microseconds();
        const int bare_blocks = qv::bench::bare_loop(megabytes);
        const double bare_ms = (wall_microseconds() - start) / 1000;

        const bool answered = reply == 1;
        const bool program_blocks = !counted || (resident_before && peak && *peak - *resident_before >= asked_kib);
        if (!answered || !program_blocks || bare_blocks < megabytes) {
            ++left_out;
            std::fprintf(stderr, "round %d left out: reply %ld, program's blocks %s, bare loop's %d of %d\n", attempt,
                         reply ? static_cast<long>(*reply) : -1L, program_blocks ? "all" : "too few", bare_blocks,
                         megabytes);
            continue;
        }
        request.push_back(request_ms);
        bare.push_back(bare_ms);
    }
    if (static_cast<int>(request.size()) < rounds) {
        std::printf("FAILED: %d rounds left out, %zu of %d left\n", left_out, request.size(), rounds);
        return 1;
    }
    // The machine is shared: the median is what a request takes on a busy machine, the fastest round
    // the program's own cost.
    const double request_ms = qv::bench::median(request), bare_ms = qv::bench::median(bare);
    const double request_min = *std::min_element(request.begin(), request.end());
    const double bare_min = *std::min_element(bare.begin(), bare.end());
    std::printf("WM_USER+1 for %d MB, to the reply : median %7.1f ms, fastest %7.1f ms over %d rounds (%d left out)\n",
                megabytes, request_ms, request_min, rounds, left_out);
    std::printf("bare loop of %d blocks            : median %7.1f ms, fastest %7.1f ms\n", megabytes, bare_ms,
                bare_min);
    std::printf("ratio                             : %.2f, of the fastest %.2f (target <= 1.25)\n",
                request_ms / bare_ms, request_min / bare_min);
    return 0;
}
