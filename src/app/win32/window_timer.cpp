#include "app/win32/window_timer.h"

namespace qv::app {

void WindowTimer::set_enabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    apply();
}

void WindowTimer::set_interval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    apply();
}

void WindowTimer::apply() {
    ::KillTimer(window_, id_);
    if (enabled_ && interval_ > 0) ::SetTimer(window_, id_, interval_, nullptr);
}

} // namespace qv::app
