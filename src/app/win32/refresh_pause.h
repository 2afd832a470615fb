#pragma once
// Switches the probe's automatic refresh off while the window's elements change, and back on at the
// end if it was on; on failure too, so the display refresh never sees half-built slots.
#include "metrics/system_probe.h"

namespace qv::app {

class RefreshPause {
public:
    explicit RefreshPause(metrics::TSystemProbe& probe) : probe_(probe), was_on_(probe.AutoRefresh()) {
        if (was_on_) probe_.SetAutoRefresh(false);
    }
    ~RefreshPause() { resume(); }
    RefreshPause(const RefreshPause&) = delete;
    RefreshPause& operator=(const RefreshPause&) = delete;
    // Switches the refresh back on now; answers whether it had been switched off here.
    bool resume() {
        const bool resumed = was_on_;
        if (was_on_) probe_.SetAutoRefresh(true);
        was_on_ = false;
        return resumed;
    }

private:
    metrics::TSystemProbe& probe_;
    bool was_on_;
};

} // namespace qv::app
