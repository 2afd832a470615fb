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

void AutoOptimization::Timer1Timer(const AutoSettings& settings, int cpu_usage, bool monitoring) {
    // The CPU test is made whether or not ACCChk is set.
    if (cpu_usage < settings.AutoCleanCPU && monitoring) {
        run_(settings.CleanValue);
        return;
    }
    state_.PeriodicPending = true;
    Timer1.stop();
}

void AutoOptimization::check_on_refresh(const AutoSettings& settings, int cpu_usage, long long free_mb) {
    const bool cpu_busy = settings.ACCChk && cpu_usage >= settings.AutoCleanCPU;
    if (!cpu_busy && settings.ACMChk && free_mb <= settings.AutoCleanMemory && !Timer2.enabled()) {
        run_(settings.CleanValue);
        Timer2.set_interval(kLowMemoryLockoutMs);
        Timer2.start();
    }
    if (state_.PeriodicPending && cpu_usage < settings.AutoCleanCPU) {
        state_.PeriodicPending = false;
        run_(settings.CleanValue);
        Timer1.stop();
        Timer1.start();  // a full interval from now
    }
}

} // namespace qv::app
