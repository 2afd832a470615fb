#pragma once
// While one of the program's modal dialogs is open, the main tray icon opens no menu and does not show
// or hide the window; pressing it brings the dialog to the front instead. The icon's menu and handlers
// come back as they were when the guard goes, also when guards nest.
#include <windows.h>

#include "desktop/win32/cool_tray_icon.h"

namespace qv::app {

class TrayModalGuard {
public:
    explicit TrayModalGuard(desktop::TCoolTrayIcon& icon);
    TrayModalGuard(const TrayModalGuard&) = delete;
    TrayModalGuard& operator=(const TrayModalGuard&) = delete;
    ~TrayModalGuard();

    // The dialog a press on the icon brings to the front, once its window exists.
    void set_dialog(HWND dialog) noexcept { dialog_ = dialog; }

private:
    desktop::TCoolTrayIcon& icon_;
    desktop::TrayMenu* menu_;
    desktop::NotifyEvent click_;
    desktop::MouseEvent mouse_down_;
    HWND dialog_ = nullptr;
};

}  // namespace qv::app
