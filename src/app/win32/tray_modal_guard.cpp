#include "app/win32/tray_modal_guard.h"

#include <utility>

namespace qv::app {

TrayModalGuard::TrayModalGuard(desktop::TCoolTrayIcon& icon)
    : icon_(icon), menu_(icon.PopupMenu), click_(std::move(icon.OnClick)), mouse_down_(std::move(icon.OnMouseDown)) {
    icon_.PopupMenu = nullptr;
    icon_.OnClick = nullptr;
    icon_.OnMouseDown = [this](desktop::TCoolTrayIcon&, desktop::MouseButton, unsigned, int, int) {
        if (dialog_ && ::IsWindow(dialog_)) ::SetForegroundWindow(dialog_);
    };
}

TrayModalGuard::~TrayModalGuard() {
    icon_.PopupMenu = menu_;
    icon_.OnMouseDown = std::move(mouse_down_);
    icon_.OnClick = std::move(click_);
}

}  // namespace qv::app
