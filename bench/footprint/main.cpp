// What the resident program costs the machine, against the bare windowed program of bench/bare_window
// measured in the same run: start-up (process start to a painted window that answers messages), private
// memory 5 s after start, and CPU time while idle at RefreshTime 2000 and 100 ms, with the main icon only
// and with five tray numbers, against the bare program started beside it to show the same numbers; beside
// the programs' own CPU time, what the rest of the Wine session (wineserver, the tray's process, a
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

// The programs of one idle spell, started side by side: on a shared machine the CPU usage they show
// changes as often for both only when both read it at the same time, and each changed number costs an
// icon. Their CPU time over the spell, and what the rest of the Wine session spent meanwhile (nothing
// where it cannot be read); nothing at all (a failed sample) when one did not come up, its time could not
// be read, or it ended during the spell. `windowed`: programs started into the notification area have no
// window to wait for.
struct IdleSpell {
    std::vector<double> own_ms;
    std::optional<double> others_ms;
};

std::optional<IdleSpell> idle_spell(const std::vector<LaunchedProgram*>& programs, bool windowed, int seconds) {
    std::vector<double> started;
    for (LaunchedProgram* program : programs) started.push_back(program->start());
    for (size_t i = 0; i < programs.size(); ++i) {
        if (windowed && wait_painted(*programs[i], started[i]) < 0) {
            sample_failed(programs[i]->exe().c_str(), "no painted, answering window");
            return std::nullopt;
        }
    }
    ::Sleep(windowed ? 3000 : 5000);  // start-up's own work is over
    const qv::bench::SessionCpu session;
    std::vector<std::optional<double>> before;
    for (LaunchedProgram* program : programs) before.push_back(program->cpu_ms());
    const auto session_before = session.ms();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const auto session_after = session.ms();
    IdleSpell spell;
    for (size_t i = 0; i < programs.size(); ++i) {
        const auto after = programs[i]->cpu_ms();
        if (!programs[i]->running()) {
            sample_failed(programs[i]->exe().c_str(), "it ended during the idle spell");
            return std::nullopt;
        }
        if (!before[i] || !after) {
            sample_failed(programs[i]->exe().c_str(), "its CPU time cannot be read");
            return std::nullopt;
        }
        spell.own_ms.push_back(*after - *before[i]);
    }
    if (session_before && session_after) {
        double others = *session_after - *session_before;
        for (double own : spell.own_ms) others -= own;
        spell.others_ms = others;
    }
    return spell;
}

void print_cpu(const char* name, double ms, int seconds) {
    std::printf("  %-32s %7.0f ms %6.3f %%\n", name, ms, ms / (seconds * 10.0));
}

// Each case runs `rounds` spells and compares medians: one spell can cost twice another.
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
        std::vector<double> reference, quorvane, others;
        for (int round = 0; round < rounds; ++round) {
            auto bare_program = make(kBare);
            bare_program->set_arguments(c.reference ? c.reference : L"");
            std::vector<LaunchedProgram*> programs{bare_program.get()};
            std::unique_ptr<LaunchedProgram> quorvane_program;
            if (c.ini) {
                quorvane_program = make(kQuorvane, c.ini);
                programs.push_back(quorvane_program.get());
            }
            const auto spell = idle_spell(programs, !hidden, seconds);
            if (!spell) continue;
            reference.push_back(spell->own_ms[0]);
            if (c.ini) quorvane.push_back(spell->own_ms[1]);
            if (spell->others_ms) others.push_back(*spell->others_ms);
        }
        if (reference.empty()) continue;
        print_cpu(c.ini ? "bare program showing the same" : "bare window", median(reference), seconds);
        if (c.ini) print_cpu("Quorvane", median(quorvane), seconds);
        if (!others.empty()) print_cpu(c.ini ? "others, for both" : "others", median(others), seconds);
        if (!c.ini) continue;
        // Each spell's own pair: both met the same load.
        std::vector<double> ratios;
        for (size_t i = 0; i < quorvane.size(); ++i) {
            if (reference[i] > 0) ratios.push_back(quorvane[i] / reference[i]);
        }
        if (!ratios.empty()) {
            std::printf("  ratio Quorvane / reference: median %.2f of %zu spells (target <= 1.25)\n", median(ratios),
                        ratios.size());
        }
    }
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
