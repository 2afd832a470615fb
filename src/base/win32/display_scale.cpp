#include "base/win32/display_scale.h"

#include "base/win32/system_function.h"
#include "base/win32/unique_handle.h"

namespace qv::win {
namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

template <typename Function>
Function user32_function(const char* name) noexcept {
    return system_function<Function>(L"user32.dll", name);
}

} // namespace

int system_dpi() noexcept {
    // A system-aware program's scale is fixed for its life: asked once.
    static const int dpi = [] {
        const auto for_system = user32_function<GetDpiForSystemFn>("GetDpiForSystem");
        if (for_system) {
            if (const UINT value = for_system()) return static_cast<int>(value);
        }
        WindowDC screen(nullptr);
        const int value = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : kBaseDpi;
    }();
    return dpi;
}

int window_dpi(HWND window) noexcept {
    static const auto for_window = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    if (for_window && window) {
        if (const UINT dpi = for_window(window)) return static_cast<int>(dpi);
    }
    return system_dpi();
}

int shell_dpi(HWND window) noexcept {
    static const auto for_window = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    HWND taskbar = for_window ? ::FindWindowW(L"Shell_TrayWnd", nullptr) : nullptr;
    if (taskbar) {
        if (const UINT dpi = for_window(taskbar)) return static_cast<int>(dpi);
    }
    return window_dpi(window);
}

int small_icon_size(int dpi) noexcept {
    static const auto for_dpi = user32_function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    int size = for_dpi ? for_dpi(SM_CXSMICON, static_cast<UINT>(dpi)) : 0;
    if (size <= 0) size = ::GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : 16;
}

} // namespace qv::win
