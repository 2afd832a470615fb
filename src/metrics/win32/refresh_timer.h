#pragma once
// The timer that drives the probe's refreshes.
#include <windows.h>

#include <exception>
#include <functional>

#include "base/win32/window.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics::win32 {

// The probe's timer: SetTimer on a hidden message-only window of the creating thread, so any message
// loop of that thread drives it (the main window's). A tick never runs inside another tick: messages
// that a refresh or an error box lets run do not start a second refresh, and a refresh that keeps
// failing shows one error box at a time.
class WindowTimer : public RefreshTimer, private win::Window {
public:
    WindowTimer();  // throws AppError when the window cannot be made
    ~WindowTimer() override;

    void set_handler(std::function<void()> on_tick) override;
    void set_interval(std::uint32_t milliseconds) override;
    void set_enabled(bool enabled) override;

    // An exception from a tick goes to the program's error report, owned by this window (may be null)...
    void set_error_owner(HWND owner) noexcept { error_owner_ = owner; }
    // ... or to this handler instead.
    void set_error_handler(std::function<void(std::exception_ptr)> handler) { error_handler_ = std::move(handler); }

    HWND window() const noexcept { return handle(); }

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void apply() noexcept;
    void tick() noexcept;

    std::function<void()> on_tick_;
    std::function<void(std::exception_ptr)> error_handler_;
    HWND error_owner_ = nullptr;
    std::uint32_t interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
};

} // namespace qv::metrics::win32
