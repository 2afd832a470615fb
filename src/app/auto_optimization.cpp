#include "app/auto_optimization.h"

#include <algorithm>

namespace qv::app {

void AutoOptimization::configure_periodic(const AutoSettings& settings, bool clear_pending) {
    if (settings.ACTChk && settings.ACChk) {
        // A negative period is no period: such a timer never fires, like one of 0 minutes. A hand-edited
        // period too long for a 32-bit millisecond interval is cut to the longest one rather than wrapped.
        constexpr unsigned kLongestMinutes = 0xFFFFFFFFu / 60000u;
        const unsigned minutes = settings.AutoCleanTime <= 0 ? 0u
                                 : std::min(static_cast<unsigned>(settings.AutoCleanTime), kLongestMinutes);
        Timer1.stop();  // the interval counts from now
        Timer1.set_interval(minutes * 60000u);
        Timer1.start();
    } else if (clear_pending) {
        Timer1.stop();
    }
    if (clear_pending) state_.PeriodicPending = false;
}

void AutoOptimization::run(int megabytes) {
    running_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{running_};
    run_(megabytes);
}

void AutoOptimization::start_lockout() {
    Timer2.stop();  // a full minute from now
    Timer2.set_interval(kLowMemoryLockoutMs);
    Timer2.start();
}

void AutoOptimization::Timer1Timer(const AutoSettings& settings, int cpu_usage, bool monitoring) {
    // The CPU test is made whether or not ACCChk is set. A tick inside one of our runs waits like one
    // without monitoring.
    if (cpu_usage < settings.AutoCleanCPU && monitoring && !running_) {
        run(settings.CleanValue);
        return;
    }
    state_.PeriodicPending = true;
    Timer1.stop();
}

void AutoOptimization::check_on_refresh(const AutoSettings& settings, int cpu_usage, long long free_mb) {
    // The refresh at the end of one of our runs: the next refresh checks again.
    if (running_) return;
    const bool cpu_busy = settings.ACCChk && cpu_usage >= settings.AutoCleanCPU;
    if (!cpu_busy && settings.ACMChk && free_mb <= settings.AutoCleanMemory && !Timer2.enabled()) {
        // The lockout holds already during the run, and its minute counts from the run's end.
        start_lockout();
        run(settings.CleanValue);
        start_lockout();
    }
    if (state_.PeriodicPending && cpu_usage < settings.AutoCleanCPU) {
        state_.PeriodicPending = false;
        run(settings.CleanValue);
        Timer1.stop();
        Timer1.start();  // a full interval from now
    }
}

} // namespace qv::app
