#include "desktop/tray_logic.h"

namespace qv::desktop {
namespace {

// Window-message numbers of the mouse codes the shell passes in the callback's lParam.
constexpr unsigned kMouseMove = 0x200, kLButtonDown = 0x201, kLButtonUp = 0x202, kLButtonDblClk = 0x203,
                   kRButtonDown = 0x204, kRButtonUp = 0x205, kMButtonDown = 0x207, kMButtonUp = 0x208;
constexpr size_t kMaxTipLength = 63;

} // namespace

std::wstring tray_tip(const std::wstring& hint, bool show_hint) {
    if (!show_hint || hint.empty()) return {};
    return hint.substr(0, kMaxTipLength);
}

std::vector<TrayAction> route_tray_mouse(unsigned message, TrayMouseState& state) {
    if (!state.enabled) return {};
    switch (message) {
    case kMouseMove: return {TrayAction::MouseMove};
    case kLButtonDown:
        state.left_down = true;
        if (state.left_popup) return {TrayAction::MouseDownLeft, TrayAction::PopupMenu};
        return {TrayAction::MouseDownLeft};
    case kLButtonUp:
        if (state.left_down) {
            state.left_down = false;
            return {TrayAction::Click, TrayAction::MouseUpLeft};
        }
        return {TrayAction::MouseUpLeft};
    case kLButtonDblClk:
        if (state.left_popup) return {TrayAction::DoubleClick};
        return {TrayAction::DoubleClick, TrayAction::RunDefaultMenuItem};
    case kRButtonDown: return {TrayAction::MouseDownRight, TrayAction::PopupMenu};
    case kRButtonUp: return {TrayAction::MouseUpRight};
    case kMButtonDown: return {TrayAction::MouseDownMiddle};
    case kMButtonUp: return {TrayAction::MouseUpMiddle};
    default: return {};
    }
}

int next_cycle_index(int index, int count) { return index < count - 1 ? index + 1 : 0; }

int clamp_icon_index(int index, int count) {
    if (count <= 0 || index < 0) return 0;
    return index >= count ? count - 1 : index;
}

} // namespace qv::desktop
