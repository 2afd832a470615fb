// The settings dialog: opened with the tray icon detached and the global hotkeys free for its hotkey
// fields, then every setting that can change while the program runs is brought into force, whichever
// way the dialog was closed.
#include "app/win32/main_window.h"

#include "app/app_info.h"
#include "app/win32/help.h"
#include "app/win32/tray_modal_guard.h"
#include "base/win32/error_report.h"
#include "base/win32/pending_messages.h"
#include "settings/win32/settings_dialog.h"

namespace qv::app {

void MainWindow::NsetClick() {
    // Asked again while it is open (a command from another program): the dialog is already there.
    if (settings_open_) return;
    settings_open_ = true;
    {
        TrayModalGuard tray(tray_->main_icon());
        for (int index = 1; index <= 5; ++index) HookHotKey1->RemoveHotKey(index);
        win::run_pending_messages();
        win::guarded(handle(), [&] {
            settings::win32::ShowSettingsDialog(
                handle(), RM, state_.TotalMB, [](HWND dialog) { open_help_topic(dialog, kSettingsHelpContext); },
                [&tray](HWND dialog) { tray.set_dialog(dialog); });
        });
    }
    settings_open_ = false;
    apply_settings();
}

void MainWindow::apply_settings() {
    // Each step on its own: a hand-edited value one step cannot use leaves the others in force.
    win::guarded(handle(), [this] { tray_->LoadIconColors(); });
    const bool on_top = RM.Filer(items::TopMost).ReadBool();
    TopMostWindow1->SetAlwaysOnTop(on_top);
    PopupMenu2.set_checked(MenuId::NTop, on_top);
    SystemProbe.SetRefreshInterval(RM.Filer(items::RefreshTime).ReadInteger());
    auto_optimization_->configure_periodic(read_auto_settings(), true);
    register_hotkeys();
    ScreenDocker1->Active = RM.Filer(items::Snap).ReadBool();
    state_.AutoHideOn = RM.Filer(items::AutoHide).ReadBool();
    set_configured_value_captions();
    win::guarded(handle(), [this] { apply_window_color(); });
    if (!state_.SkinActive) win::guarded(handle(), [this] { default_design_->apply_gauge_design_to_default_gauges(); });
    win::guarded(handle(), [this] { default_design_->apply_fonts_and_button(); });
    state_.TransparentBack = RM.Filer(items::TransFlag).ReadBool();
    canvas_->apply_transparent_back(state_.TransparentBack);
    canvas_->surface.Refresh();
    change_design([this] { follow_skin_setting(); });
}

} // namespace qv::app
