#include "metrics/win32/refresh_timer.h"

#include "base/win32/error_report.h"

namespace qv::metrics::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

} // namespace

WindowTimer::WindowTimer() {
    register_class(L"QuorvaneRefreshTimer");
    try {
        create(L"QuorvaneRefreshTimer", L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
    } catch (const std::exception&) {
        // Systems before Windows 2000 have no message-only windows: a hidden window that is never shown.
        create(L"QuorvaneRefreshTimer", L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0);
    }
}

WindowTimer::~WindowTimer() {
    enabled_ = false;
    apply();
    destroy();
}

void WindowTimer::set_handler(std::function<void()> on_tick) { on_tick_ = std::move(on_tick); }

void WindowTimer::set_interval(std::uint32_t milliseconds) {
    interval_ = milliseconds;
    apply();
}

void WindowTimer::set_enabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void WindowTimer::apply() noexcept {
    if (!handle()) return;
    if (enabled_ && interval_ > 0) {
        ::SetTimer(handle(), kTimerId, interval_, nullptr);  // replaces a running one
    } else {
        ::KillTimer(handle(), kTimerId);
    }
}

void WindowTimer::tick() noexcept {
    if (ticking_ || !on_tick_) return;
    ticking_ = true;
    try {
        on_tick_();
    } catch (...) {
        if (error_handler_) {
            try {
                error_handler_(std::current_exception());
            } catch (...) {
            }
        } else {
            win::report_current_exception(error_owner_);
        }
    }
    ticking_ = false;
}

LRESULT WindowTimer::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == kTimerId) {
        tick();
        return 0;
    }
    return default_message(message, wparam, lparam);
}

} // namespace qv::metrics::win32
