#pragma once
// The notification-area icon's rules that need no system: the tip text, the order of events a shell
// mouse notification raises, and the cycling index.
#include <string>
#include <vector>

namespace qv::desktop {

// The tip the shell shows: the hint cut to 63 characters, or nothing when hints are off or empty.
std::wstring tray_tip(const std::wstring& hint, bool show_hint);

enum class MouseButton { Left, Right, Middle };

// What one shell notification makes the icon do, in order.
enum class TrayAction {
    MouseMove,
    MouseDownLeft, MouseUpLeft, Click,
    DoubleClick, RunDefaultMenuItem,
    MouseDownRight, MouseUpRight,
    MouseDownMiddle, MouseUpMiddle,
    PopupMenu,
};

struct TrayMouseState {
    bool enabled = true;
    bool left_popup = false;
    bool left_down = false;  // the left button went down on the icon; a release then is a click
};

// The actions for the mouse message `message` (WM_MOUSEMOVE .. WM_MBUTTONUP) carried by the callback;
// updates the left-down flag. A disabled icon does nothing; unknown codes do nothing.
std::vector<TrayAction> route_tray_mouse(unsigned message, TrayMouseState& state);

// Cycling: the index after `index` in a list of `count` images (0 after the last one).
int next_cycle_index(int index, int count);
// An index set from outside is kept within the images: lowered to the last one, raised to the first;
// without images it is 0.
int clamp_icon_index(int index, int count);

} // namespace qv::desktop
