#pragma once
// A timer for tests of the main window's logic: it only records what it was told.
#include "app/timer.h"

namespace qv::test {

class FakeTimer final : public app::Timer {
public:
    explicit FakeTimer(unsigned interval = 0) : interval_(interval) {}
    void set_enabled(bool enabled) override {
        if (enabled && !enabled_) ++starts;
        enabled_ = enabled;
    }
    bool enabled() const override { return enabled_; }
    void set_interval(unsigned milliseconds) override { interval_ = milliseconds; }
    unsigned interval() const override { return interval_; }

    int starts = 0;  // how often the timer went from stopped to running (a full new interval)

private:
    bool enabled_ = false;
    unsigned interval_;
};

} // namespace qv::test
