#include "desktop/win32/placement.h"


#include "base/app_error.h"
#include "base/win32/display_scale.h"
#include "base/win32/error_report.h"
#include "base/win32/window_subclass.h"

namespace qv::desktop {
namespace {

constexpr wchar_t kDockerProperty[] = L"QuorvaneScreenDocker";
constexpr UINT_PTR kDockerHookId = 0x5D0C;

// Program-wide state of TIconHide.
HWND g_app_window = nullptr;
LONG_PTR g_startup_ex_style = 0;
bool g_hidden = false;

} // namespace

void TTopMostWindow::SetAlwaysOnTop(bool on_top) {
    if (on_top == always_on_top_) return;
    if (OnBeforeChange) OnBeforeChange(*this);
    always_on_top_ = on_top;
    apply();
    if (OnAfterChange) OnAfterChange(*this);
}

void TTopMostWindow::apply() {
    ::SetWindowPos(owner_, always_on_top_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

TScreenDocker::TScreenDocker(HWND owner) : owner_(owner) {
    if (!owner || !::IsWindow(owner)) throw AppError(L"TScreenDocker can only be placed on a TForm.");
    if (::GetPropW(owner, kDockerProperty)) throw AppError(L"Only one instance of TScreenDocker is allowed per form.");
    ::SetPropW(owner, kDockerProperty, reinterpret_cast<HANDLE>(this));
    win::set_window_subclass(owner, &TScreenDocker::hook, kDockerHookId, reinterpret_cast<DWORD_PTR>(this));
}

TScreenDocker::~TScreenDocker() {
    if (::IsWindow(owner_)) {
        win::remove_window_subclass(owner_, &TScreenDocker::hook, kDockerHookId);
        ::RemovePropW(owner_, kDockerProperty);
    }
}

bool TScreenDocker::on_moving(RECT& proposed) {
    if (!Active) return false;
    RECT area{};
    if (DockArea == daWorkArea) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    } else {
        ::GetWindowRect(::GetDesktopWindow(), &area);
    }
    RECT window{};
    ::GetWindowRect(owner_, &window);
    DockResult result = dock_rect({proposed.left, proposed.top, proposed.right, proposed.bottom},
                                  {area.left, area.top, area.right, area.bottom}, window.right - window.left,
                                  window.bottom - window.top, DockableTo, win::scaled(DockDistance));
    proposed = RECT{result.rect.left, result.rect.top, result.rect.right, result.rect.bottom};
    for (TScreenEdge edge : result.edges) {
        // The handler gets the edge by reference; what it changes has no effect.
        TScreenEdge copy = edge;
        if (OnDocked) OnDocked(*this, copy);
    }
    return result.snapped();
}

LRESULT CALLBACK TScreenDocker::hook(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                     DWORD_PTR data) noexcept {
    // Any program can send WM_MOVING; only a rectangle to adjust is looked at.
    if (message == WM_MOVING && lparam) {
        bool snapped = false;
        auto* self = reinterpret_cast<TScreenDocker*>(data);
        win::guarded(window, [&] { snapped = self->on_moving(*reinterpret_cast<RECT*>(lparam)); });
        LRESULT result = win::def_subclass_proc(window, message, wparam, lparam);
        return snapped ? TRUE : result;
    }
    return win::def_subclass_proc(window, message, wparam, lparam);
}

void TIconHide::remember_startup_style(HWND window) {
    g_app_window = window;
    g_startup_ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    g_hidden = false;
}

TIconHide::TIconHide() { SetHidden(true); }

bool TIconHide::Hidden() const { return g_hidden; }

void TIconHide::SetHidden(bool hidden) {
    if (hidden == g_hidden || !g_app_window) return;
    g_hidden = hidden;
    // The taskbar notices a style change only when the window is shown again; a hidden window simply
    // takes the new style.
    const bool visible = ::IsWindowVisible(g_app_window) != FALSE;
    if (visible) ::ShowWindow(g_app_window, SW_HIDE);
    // Only the tool-window bit: the window that carries it is the visible main window, whose topmost
    // state belongs to the always-on-top setting alone.
    const LONG_PTR style = hidden ? (g_startup_ex_style | WS_EX_TOOLWINDOW) : g_startup_ex_style;
    ::SetWindowLongPtrW(g_app_window, GWL_EXSTYLE, style);
    if (visible) ::ShowWindow(g_app_window, SW_SHOW);
}

} // namespace qv::desktop
