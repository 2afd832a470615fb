// What the resident program costs the machine, against the bare windowed program of bench/bare_window
// measured in the same run: start-up (process start to a painted window that answers messages), private
// memory 5 s after start, and CPU time while idle at RefreshTime 2000 and 100 ms, with the main icon only
// and with five tray numbers. Both programs run as shipped (stripped copies in bench/shipped).
// Usage: bench_footprint [startup|memory|idle|all] [idle seconds, default 60]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/menu_ids.h"
#include "bench/support/bench_clock.h"
#include "bench/support/launched_program.h"

namespace {

using qv::bench::LaunchedProgram;
using qv::bench::median;
using qv::bench::wall_microseconds;

struct Subject {
    const wchar_t* exe;
    const wchar_t* window_class;
    WORD exit_command;
};

const Subject kBare{L"bare_window.exe", L"BareWindow", 0};
const Subject kQuorvane{L"Quorvane.exe", L"TForm1", static_cast<WORD>(qv::app::MenuId::Exit1)};

std::unique_ptr<LaunchedProgram> make(const Subject& subject, const std::string& ini = {}) {
    return std::make_unique<LaunchedProgram>(qv::bench::own_folder() + L"shipped\\" + subject.exe,
                                             subject.window_class, subject.exit_command, ini);
}

// Milliseconds from the start to a painted, answering window; negative when it never came.
double wait_painted(LaunchedProgram& program, double started_us) {
    const double deadline = started_us + 30e6;
    while (!program.painted_and_answering()) {
        if (wall_microseconds() > deadline || !program.running()) return -1;
        ::Sleep(2);
    }
    return (wall_microseconds() - started_us) / 1000;
}

void startup(int rounds) {
    // Each program starts again and again in its own folder: the first start, which makes Quorvane's
    // INI file, is left out; the others start as a user's do, with the file the program left.
    auto bare_program = make(kBare), quorvane_program = make(kQuorvane);
    std::vector<double> bare, quorvane;
    for (int round = 0; round <= rounds; ++round) {
        for (LaunchedProgram* program : {bare_program.get(), quorvane_program.get()}) {
            const double ms = wait_painted(*program, program->start());
            if (ms < 0) std::fprintf(stderr, "a program did not come up\n");
            program->end();
            if (round > 0) (program == bare_program.get() ? bare : quorvane).push_back(ms);
        }
    }
    // The machine is shared: the fastest start shows the program's own cost best, the median what a
    // start takes on a busy machine.
    const double b = median(bare), q = median(quorvane);
    const double b_min = *std::min_element(bare.begin(), bare.end());
    const double q_min = *std::min_element(quorvane.begin(), quorvane.end());
    std::printf("start-up to a painted, answering window (%d starts each, alternating; fastest and median)\n", rounds);
    std::printf("  bare program %8.1f ms %8.1f ms\n", b_min, b);
    std::printf("  Quorvane     %8.1f ms %8.1f ms   ratio %.2f, of medians %.2f (target <= 1.3)\n", q_min, q,
                q_min / b_min, q / b);
}

void memory(int rounds) {
    std::vector<double> bare, quorvane;
    for (int round = 0; round < rounds; ++round) {
        for (const Subject* subject : {&kBare, &kQuorvane}) {
            auto program = make(*subject);
            const double started = program->start();
            wait_painted(*program, started);
            const double left = 5e6 - (wall_microseconds() - started);
            if (left > 0) ::Sleep(static_cast<DWORD>(left / 1000));
            const auto kib = program->private_kib();
            if (!kib) std::fprintf(stderr, "the private memory of %ls cannot be read\n", subject->exe);
            (subject == &kBare ? bare : quorvane).push_back(static_cast<double>(kib.value_or(0)));
        }
    }
    const double b = median(bare), q = median(quorvane);
    std::printf("private memory 5 s after start (median of %d)\n", rounds);
    std::printf("  bare program %8.0f KiB\n  Quorvane     %8.0f KiB   +%.2f MB, ratio %.2f (target <= +2 MB)\n", b, q,
                (q - b) / 1024, q / b);
}

double idle_cpu_ms(const Subject& subject, const std::string& ini, int seconds) {
    auto program = make(subject, ini);
    if (wait_painted(*program, program->start()) < 0) return -1;
    ::Sleep(3000);  // start-up's own work is over
    const auto before = program->cpu_ms();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const auto after = program->cpu_ms();
    if (!before || !after) return -1;
    return *after - *before;
}

void idle(int seconds) {
    std::printf("CPU time while idle over %d s (%% of one core)\n", seconds);
    const double bare = idle_cpu_ms(kBare, {}, seconds);
    std::printf("  bare program                          %8.0f ms  %6.3f %%\n", bare, bare / (seconds * 10.0));
    struct Case {
        const char* name;
        const char* ini;
    };
    // Five numbers: the main icon shows CPU usage and four more icons memory, System, User and GDI.
    const Case cases[] = {
        {"RefreshTime 2000, main icon only      ", "[Window]\r\nRefreshTime=2000\r\n"},
        {"RefreshTime 2000, five tray numbers   ", "[Window]\r\nRefreshTime=2000\r\nIconMenu=4\r\nAIcons=5123\r\n"},
        {"RefreshTime 100, main icon only       ", "[Window]\r\nRefreshTime=100\r\n"},
        {"RefreshTime 100, five tray numbers    ", "[Window]\r\nRefreshTime=100\r\nIconMenu=4\r\nAIcons=5123\r\n"},
        {"RefreshTime 100, five numbers, hidden ",
         "[Window]\r\nRefreshTime=100\r\nIconMenu=4\r\nAIcons=5123\r\nTasktray=1\r\n"},
    };
    for (const Case& c : cases) {
        const bool hidden = std::strstr(c.ini, "Tasktray=1") != nullptr;
        double ms;
        if (hidden) {
            // Started into the notification area: no window to wait for.
            auto program = make(kQuorvane, c.ini);
            program->start();
            ::Sleep(5000);
            const auto before = program->cpu_ms();
            ::Sleep(static_cast<DWORD>(seconds) * 1000);
            const auto after = program->cpu_ms();
            ms = before && after ? *after - *before : -1;
        } else {
            ms = idle_cpu_ms(kQuorvane, c.ini, seconds);
        }
        std::printf("  Quorvane, %s %8.0f ms  %6.3f %%", c.name, ms, ms / (seconds * 10.0));
        if (bare > 0) std::printf("  ratio %.1f", ms / bare);
        std::printf("\n");
    }
    std::printf("  (target: RefreshTime 100 with five numbers under 0.5 %% of one core)\n");
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "all";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    if (what == "startup" || what == "all") startup(9);
    if (what == "memory" || what == "all") memory(3);
    if (what == "idle" || what == "all") idle(seconds);
    std::fflush(stdout);
    return 0;
}
