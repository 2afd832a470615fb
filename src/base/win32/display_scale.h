#pragma once
// The display's scale as a DPI-aware program sees it: pixels an inch, and the small-icon size the shell
// draws tray icons at. The newer calls are looked up at run time: older Windows has none of them.
#include <windows.h>

namespace qv::win {

inline constexpr int kBaseDpi = 96;
// WM_DPICHANGED, which the headers of older targets lack: the new pixels an inch in HIWORD(wparam).
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The system's pixels an inch (the scale the program was started at).
int system_dpi() noexcept;
// The pixels an inch of the monitor the window is on, as far as the system tells; else system_dpi().
int window_dpi(HWND window) noexcept;
// The pixels an inch the notification area is drawn at: the taskbar's, where the system tells it (it
// follows a change of scale that a system-aware program's own figures do not), else the window's.
int shell_dpi(HWND window) noexcept;
// The small-icon side at `dpi` (SM_CXSMICON); 16 at 96.
int small_icon_size(int dpi) noexcept;
// A length laid out at 96 pixels an inch, at `dpi`.
inline int scale_to_dpi(int value, int dpi) noexcept {
    return dpi == kBaseDpi ? value : ::MulDiv(value, dpi, kBaseDpi);
}
// The program lays its windows out once, at 96 pixels an inch, and draws them at the system's scale.
inline int scaled(int length) noexcept { return scale_to_dpi(length, system_dpi()); }
// A measured length of the screen in the layout's units, rounded up so that what was measured fits.
inline int unscaled(int pixels) noexcept {
    const int dpi = system_dpi();
    return dpi == kBaseDpi || pixels <= 0 ? pixels : (pixels * kBaseDpi + dpi - 1) / dpi;
}

} // namespace qv::win
