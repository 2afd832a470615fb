#pragma once
// The notification area as a test sees it. With no tray manager on the display, Wine's explorer shows
// the icons in a window of its own, "Wine System Tray" (top left, hidden while it holds no icon): a row
// of cells of the small-icon size with a 2-pixel border all round, filled from the left in the order the
// icons were added; a removed icon leaves no gap. The icons are read as pixels from a screenshot of it.
// A real shell's notification area cannot be read this way: tests skip when the window is not there,
// which an icon of the test's own decides (tray_host()), never the program under test: Wine shows the
// window only while it holds an icon, so a program that failed to add its icon would look like no tray.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "support/win32/screen_capture.h"

namespace qv::test {

// An icon as the tray shows it, row by row.
struct IconPixels {
    std::vector<COLORREF> pixels;

    size_t count(COLORREF color) const;
    bool empty() const noexcept { return pixels.empty(); }
    friend bool operator==(const IconPixels&, const IconPixels&) = default;
};

// The pure blue background of a drawn number with the default colours ("clBlue").
inline constexpr COLORREF kNumberBlue = RGB(0, 0, 255);
// Whether the icon is a number the program drew in the default colours: mostly the blue background, with
// the digits on it.
bool shows_number(const IconPixels& icon);

// What this display's notification area offers, found out once per test program with an icon of the
// test's own (added from a hidden window, removed again before the answer is given).
struct TrayHost {
    bool takes_icons = false;  // the shell accepted the icon
    bool readable = false;     // and Wine's tray window showed it
};
const TrayHost& tray_host();
inline constexpr const char* kNoReadableTray =
    "no \"Wine System Tray\" window shows an icon of the test's own: the notification area cannot be read here";

class TrayArea {
public:
    // Wine's tray window (shown or hidden), or null when there is none.
    static HWND window();
    // A screenshot of the tray as it is now.
    static TrayArea take();

    bool shown() const noexcept { return shown_; }
    // How many cells hold an icon (0 when the window is hidden).
    int icon_count() const;
    // The window's background, as in the border of every cell.
    COLORREF background() const { return shot_.pixel(client_.left, client_.top); }
    // The pixels of the icon in cell `index` (counted from the left); empty outside the window.
    IconPixels icon(int index) const;
    // Where that icon is on the screen (empty outside the window).
    RECT icon_rect(int index) const;
    // The picture of the window's client area (empty when the window is hidden).
    const ScreenCapture& picture() const noexcept { return shot_; }

private:
    bool shown_ = false;
    RECT client_{};  // screen coordinates
    int cell_ = 0;
    int icon_size_ = 0;
    ScreenCapture shot_;
};

// The shell's notification to a tray icon's hidden window: the program's callback message
// (WM_USER + 0x400) carrying the mouse message, as when the mouse acts on the icon. Sent, so the
// program has handled it on return; false when it was not answered in time.
bool send_tray_mouse(HWND icon_window, UINT mouse_message);
// A left click on the icon: button down, then up.
bool click_tray_icon(HWND icon_window);

} // namespace qv::test
