#pragma once
// A timer of a window (SetTimer with a fixed id); its ticks arrive as WM_TIMER with that id.
#include <windows.h>

#include "app/timer.h"

namespace qv::app {

class WindowTimer final : public Timer {
public:
    WindowTimer(HWND window, UINT_PTR id, unsigned interval) : window_(window), id_(id), interval_(interval) {}
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() override { set_enabled(false); }

    void set_enabled(bool enabled) override;
    bool enabled() const override { return enabled_; }
    void set_interval(unsigned milliseconds) override;
    unsigned interval() const override { return interval_; }
    UINT_PTR id() const { return id_; }

private:
    void apply();

    HWND window_;
    UINT_PTR id_;
    unsigned interval_;
    bool enabled_ = false;
};

} // namespace qv::app
