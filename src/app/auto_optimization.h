#pragma once
// When the program optimizes by itself: every AutoCleanTime minutes (Timer1), held back while the CPU
// is busy; and when free memory is low, at most once a minute (Timer2). The settings are read by the
// caller at each use and passed in. A run ends in a display refresh that checks again at once, from
// inside the run: no automatic run starts inside another.
#include <functional>

#include "app/main_state.h"
#include "app/timer.h"

namespace qv::app {

struct AutoSettings {
    bool ACChk = false;   // automatic optimization on
    bool ACTChk = false;  // periodic runs
    bool ACMChk = false;  // low-memory runs
    bool ACCChk = false;  // hold low-memory runs back while the CPU is busy
    int AutoCleanTime = 20;    // minutes
    int AutoCleanMemory = 16;  // MB
    int AutoCleanCPU = 85;     // percent
    int CleanValue = 0;        // MB
};

inline constexpr unsigned kLowMemoryLockoutMs = 60000;

class AutoOptimization {
public:
    using RunOptimization = std::function<void(int megabytes)>;

    AutoOptimization(Timer& timer1, Timer& timer2, MainState& state, RunOptimization run)
        : Timer1(timer1), Timer2(timer2), state_(state), run_(std::move(run)) {}

    // Start-up and after the settings dialog: Timer1 runs with a full interval when periodic runs are
    // on, and stops otherwise. `clear_pending` is what the settings dialog adds.
    void configure_periodic(const AutoSettings& settings, bool clear_pending);

    // Timer1's tick: run now while the CPU is calm and monitoring runs; otherwise wait for a calm
    // refresh (PeriodicPending) with the timer stopped.
    void Timer1Timer(const AutoSettings& settings, int cpu_usage, bool monitoring);

    // The checks of every display refresh (only called while ACChk is on).
    void check_on_refresh(const AutoSettings& settings, int cpu_usage, long long free_mb);

    void Timer2Timer() { Timer2.stop(); }

private:
    void run(int megabytes);
    void start_lockout();

    Timer& Timer1;
    Timer& Timer2;
    MainState& state_;
    RunOptimization run_;
    bool running_ = false;  // a run started here is under way
};

} // namespace qv::app
