// What the resident program costs the machine, against the bare windowed program of bench/bare_window
// measured in the same run: start-up (process start to a painted window that answers messages), private
// memory 5 s after start, and CPU time while idle at RefreshTime 2000 and 100 ms, with the main icon only
// and with five tray numbers, against the bare program started to show the same numbers as often; beside
// each program's own CPU time, what the rest of the Wine session (wineserver, the tray's process, a
// private X server) spent over the same spell. Both programs run as shipped (stripped copies in
// bench/shipped).
// A sample whose program did not come up, could not be read or ended on its own is left out of the
// figures and counted; any such sample prints FAILED and makes the exit code 1.
// Usage: bench_footprint [startup|memory|idle|all] [idle seconds, default 20] [rounds, default 3]
//        [only the idle cases whose name holds this text]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_ids.h"
#include "bench/support/bench_clock.h"
#include "bench/support/launched_program.h"
#include "bench/support/session_cpu.h"

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

// Samples left out; any makes the run fail.
int failed_samples = 0;

void sample_failed(const wchar_t* exe, const char* why) {
    ++failed_samples;
    std::fprintf(stderr, "FAILED sample of %ls: %s\n", exe, why);
}

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
        for (const Subject* subject : {&kBare, &kQuorvane}) {
            LaunchedProgram& program = subject == &kBare ? *bare_program : *quorvane_program;
            const double ms = wait_painted(program, program.start());
            program.end();
            if (ms < 0) {
                sample_failed(subject->exe, "no painted, answering window");
            } else if (round > 0) {
                (subject == &kBare ? bare : quorvane).push_back(ms);
            }
        }
    }
    if (bare.empty() || quorvane.empty()) return;
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
            if (wait_painted(*program, started) < 0) {
                sample_failed(subject->exe, "no painted, answering window");
                continue;
            }
            const double left = 5e6 - (wall_microseconds() - started);
            if (left > 0) ::Sleep(static_cast<DWORD>(left / 1000));
            const auto kib = program->private_kib();
            if (!kib || !program->running()) {
                sample_failed(subject->exe,
                              kib ? "it ended before its memory was read" : "its private memory cannot be read");
                continue;
            }
            (subject == &kBare ? bare : quorvane).push_back(static_cast<double>(*kib));
        }
    }
    if (bare.empty() || quorvane.empty()) return;
    const double b = median(bare), q = median(quorvane);
    std::printf("private memory 5 s after start (median of %d)\n", rounds);
    std::printf("  bare program %8.0f KiB\n  Quorvane     %8.0f KiB   +%.2f MB, ratio %.2f (target <= +2 MB)\n", b, q,
                (q - b) / 1024, q / b);
}

struct IdleCpu {
    double own_ms = 0;
    std::optional<double> others_ms;  // the rest of the session's; nothing where it cannot be read
};

// CPU time over the idle spell; nothing (a failed sample) when the program did not come up, its time
// could not be read, or it ended during the spell. `windowed`: a program started into the notification
// area has no window to wait for. `arguments`: the bare program's (what it shows, how often).
std::optional<IdleCpu> idle_cpu(const Subject& subject, const std::string& ini, int seconds, bool windowed = true,
                                const std::wstring& arguments = {}) {
    auto program = make(subject, ini);
    program->set_arguments(arguments);
    const double started = program->start();
    if (windowed && wait_painted(*program, started) < 0) {
        sample_failed(subject.exe, "no painted, answering window");
        return std::nullopt;
    }
    ::Sleep(windowed ? 3000 : 5000);  // start-up's own work is over
    const qv::bench::SessionCpu session;
    const auto before = program->cpu_ms();
    const auto session_before = session.ms();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const auto after = program->cpu_ms();
    const auto session_after = session.ms();
    if (!program->running()) {
        sample_failed(subject.exe, "it ended during the idle spell");
        return std::nullopt;
    }
    if (!before || !after) {
        sample_failed(subject.exe, "its CPU time cannot be read");
        return std::nullopt;
    }
    IdleCpu result{*after - *before, std::nullopt};
    if (session_before && session_after) result.others_ms = *session_after - *session_before - result.own_ms;
    return result;
}

double total_ms(const IdleCpu& cpu) { return cpu.own_ms + cpu.others_ms.value_or(0); }

// The samples of one program in one case: its own CPU time and, where the session's could be read
// every time, its own plus the others'.
struct IdleSamples {
    std::vector<double> own, total;
    bool others_counted = true;

    void add(const IdleCpu& cpu) {
        own.push_back(cpu.own_ms);
        total.push_back(total_ms(cpu));
        others_counted = others_counted && cpu.others_ms.has_value();
    }
};

void print_idle(const char* name, const IdleSamples& samples, int seconds) {
    const double own = median(samples.own);
    std::printf("  %-32s own %6.0f ms %6.3f %%", name, own, own / (seconds * 10.0));
    if (samples.others_counted) {
        const double others = median(samples.total) - own;
        std::printf("   others %6.0f ms %6.3f %%", others, others / (seconds * 10.0));
    } else {
        std::printf("   others not counted");
    }
    std::printf("\n");
}

// Each case alternates the reference and Quorvane `rounds` times, so that both meet the machine's
// load alike, and compares medians: on a shared machine one spell can cost twice another.
void idle(int seconds, int rounds, const std::string& only) {
    std::printf("CPU time while idle, medians of %d spells of %d s each (%% of one core); others: the rest of the"
                " Wine session\n", rounds, seconds);
    struct Case {
        const char* name;
        const char* ini;
        const wchar_t* reference;  // the bare program's arguments that show the same; none: the bare window
    };
    // The main icon alone shows the program's icon, which never changes: its reference shows no number.
    // Five numbers: the main icon shows CPU usage and four more icons memory, System, User and GDI. The
    // reference shows the same numbers in as many icons, each re-sent as often (when its number changes),
    // and repaints its window when the figures change.
    const Case cases[] = {
        {"bare window", nullptr, nullptr},
        {"RefreshTime 2000, main icon only", "[Window]\r\nRefreshTime=2000\r\n", L"2000 0"},
        {"RefreshTime 2000, five tray numbers", "[Window]\r\nRefreshTime=2000\r\nIconMenu=4\r\nAIcons=5123\r\n",
         L"2000 5"},
        {"RefreshTime 100, main icon only", "[Window]\r\nRefreshTime=100\r\n", L"100 0"},
        {"RefreshTime 100, five tray numbers", "[Window]\r\nRefreshTime=100\r\nIconMenu=4\r\nAIcons=5123\r\n",
         L"100 5"},
        {"RefreshTime 100, five numbers, hidden",
         "[Window]\r\nRefreshTime=100\r\nIconMenu=4\r\nAIcons=5123\r\nTasktray=1\r\n", L"100 5 hidden"},
    };
    for (const Case& c : cases) {
        if (!only.empty() && std::strstr(c.name, only.c_str()) == nullptr) continue;
        std::printf(" %s\n", c.name);
        const bool hidden = c.ini && std::strstr(c.ini, "Tasktray=1") != nullptr;
        IdleSamples reference, quorvane;
        for (int round = 0; round < rounds; ++round) {
            if (const auto cpu = idle_cpu(kBare, {}, seconds, !hidden, c.reference ? c.reference : L"")) {
                reference.add(*cpu);
            }
            if (!c.ini) continue;
            if (const auto cpu = idle_cpu(kQuorvane, c.ini, seconds, !hidden)) quorvane.add(*cpu);
        }
        if (!reference.own.empty()) print_idle(c.ini ? "bare program showing the same" : "bare window", reference, seconds);
        if (quorvane.own.empty()) continue;
        print_idle("Quorvane", quorvane, seconds);
        if (reference.own.empty()) continue;
        const double own = median(reference.own), total = median(reference.total);
        std::printf("  ratio of medians: own %.2f, with the others' %.2f (target <= 1.25)\n",
                    own > 0 ? median(quorvane.own) / own : 0.0, total > 0 ? median(quorvane.total) / total : 0.0);
    }
    // The tray numbers cost the tray's process and the display too: the ratio that counts includes what the
    // rest of the session spent.
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "all";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::string only = argc > 4 ? argv[4] : "";
    if (what == "startup" || what == "all") startup(9);
    if (what == "memory" || what == "all") memory(3);
    if (what == "idle" || what == "all") idle(seconds, rounds, only);
    if (failed_samples > 0) std::printf("FAILED: %d samples left out\n", failed_samples);
    std::fflush(stdout);
    return failed_samples > 0 ? 1 : 0;
}
