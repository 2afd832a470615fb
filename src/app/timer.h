#pragma once
// A message-loop timer as the main window's logic sees it: enabled or not, with an interval in
// milliseconds. An enabled timer with interval 0 never fires. Changing the interval of an enabled
// timer starts a full new interval.
namespace qv::app {

class Timer {
public:
    virtual ~Timer() = default;
    virtual void set_enabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void set_interval(unsigned milliseconds) = 0;
    virtual unsigned interval() const = 0;

    void start() { set_enabled(true); }
    void stop() { set_enabled(false); }
};

} // namespace qv::app
