// Menu commands, hotkeys and the other ways of commanding the window and the monitoring.
#include "app/win32/main_window.h"

#include "app/app_info.h"
#include "app/command_line.h"
#include "app/win32/about_dialog.h"
#include "app/win32/help.h"
#include "app/win32/tray_modal_guard.h"

namespace qv::app {

void MainWindow::on_command(MenuId id) {
    if (skin_menus_.is_skin_entry(id)) {
        SkinMenuItemClick(id);
        return;
    }
    if (auto tenths = percent_item_tenths(id)) {
        RunOptimization(static_cast<int>(percent_amount(*tenths, state_.TotalMB)));
        return;
    }
    if (auto kind = tray_item_kind(id)) {
        tray_->choose_main_kind(*kind);
        return;
    }
    const int id_value = static_cast<int>(id);
    if (id_value >= static_cast<int>(MenuId::NAddSys) && id_value <= static_cast<int>(MenuId::NAddMem)) {
        tray_->AddIndicatorIcon(id_value - static_cast<int>(MenuId::NAddSys) + 1);
        return;
    }
    if (id_value >= static_cast<int>(MenuId::NSys2) && id_value <= static_cast<int>(MenuId::NMemory2)) {
        tray_->change_indicator_kind(id_value - static_cast<int>(MenuId::NSys2) + 1);
        return;
    }
    switch (id) {
    case MenuId::Ns:
    case MenuId::Ns2: RunOptimization(RM.Filer(items::CleanValue).ReadInteger()); break;
    case MenuId::NDel: tray_->remove_indicator_icon(); break;
    case MenuId::N8:
    case MenuId::N9: N8Click(); break;
    case MenuId::NTop: NTopClick(); break;
    case MenuId::N13:
    case MenuId::N14: N13Click(); break;
    case MenuId::Nwindow: show_window(); break;
    case MenuId::Nset:
    case MenuId::Nset2: NsetClick(); break;
    case MenuId::Help1: Help1Click(); break;
    case MenuId::Help2: Help2Click(); break;
    case MenuId::About1:
    case MenuId::About2: About1Click(); break;
    case MenuId::Exit1:
    case MenuId::Exit2: terminate(); break;
    default: break;
    }
}

// A start with a switch asks for these; each does what its menu command does. Pause and resume say
// which state is wanted, where the menu item switches. Any process may send the message: the parameter
// is only compared, and an unknown command does nothing.
LRESULT MainWindow::command_request(WPARAM command) {
    constexpr auto code = [](RemoteCommand c) { return static_cast<WPARAM>(c); };
    if (!components_made()) return 0;  // the window is still being built (see clean_request)
    switch (command) {
    case code(RemoteCommand::Show): show_window(); break;
    case code(RemoteCommand::Hide): hide_window(); break;
    case code(RemoteCommand::Pause):
        if (!monitoring_paused()) N8Click();
        break;
    case code(RemoteCommand::Resume):
        if (monitoring_paused()) N8Click();
        break;
    case code(RemoteCommand::Exit): terminate(); break;
    default: return 0;
    }
    return kCommandDone;
}

void MainWindow::HookHotKey1HotKey(int index) {
    switch (index) {
    case 1: toggle_window(); break;
    case 2: RunOptimization(RM.Filer(items::CleanValue).ReadInteger()); break;
    case 3: NsetClick(); break;
    case 4: N8Click(); break;
    case 5:
        RM.Filer(items::AutoHide).WriteBool(!RM.Filer(items::AutoHide).ReadBool());
        state_.AutoHideOn = RM.Filer(items::AutoHide).ReadBool();
        break;
    default: break;
    }
}

void MainWindow::N8Click() {
    const bool paused = !PopupMenu1.is_checked(MenuId::N8);
    PopupMenu1.set_checked(MenuId::N8, paused);
    // The refresh follows the pause mark, not its own opposite: a run (or the alarm box) has it off
    // for the moment and switches it back on itself, unless the monitoring is paused by then.
    if (paused) SystemProbe.SetAutoRefresh(false);
    else if (refresh_may_run()) SystemProbe.SetAutoRefresh(true);
    PopupMenu2.set_checked(MenuId::N9, paused);
    if (Timer1->enabled() && paused) {
        Timer1->stop();
        state_.PeriodicPending = false;
        state_.PeriodicSuspended = true;
    }
    if (state_.PeriodicSuspended && !paused && RM.Filer(items::ACTChk).ReadBool() &&
        RM.Filer(items::ACChk).ReadBool()) {
        Timer1->start();
        state_.PeriodicSuspended = false;
    }
}

void MainWindow::NTopClick() {
    const bool on_top = !TopMostWindow1->AlwaysOnTop();
    TopMostWindow1->SetAlwaysOnTop(on_top);
    PopupMenu2.set_checked(MenuId::NTop, on_top);
    RM.Filer(items::TopMost).WriteBool(on_top);
}

void MainWindow::show_window() { ::ShowWindow(handle(), SW_SHOW); }
void MainWindow::hide_window() { ::ShowWindow(handle(), SW_HIDE); }

void MainWindow::toggle_window() {
    if (::IsWindowVisible(handle())) hide_window();
    else show_window();
}

void MainWindow::TrayIcon1Click() { toggle_window(); }

void MainWindow::pointer_entered() {
    // The window gets out of the pointer's way and comes back once the pointer has left its area.
    if (!state_.AutoHideOn || !::IsWindowVisible(handle())) return;
    hide_window();
    Timer4->start();
}

void MainWindow::Timer4Timer() {
    POINT at{};
    RECT r{};
    ::GetCursorPos(&at);
    ::GetWindowRect(handle(), &r);
    if (pointer_over(at.x, at.y, r.left, r.top, r.right - r.left, r.bottom - r.top)) return;
    // Back without taking the keyboard focus: the pointer only passed by, the user types elsewhere.
    ::ShowWindow(handle(), SW_SHOWNA);
    Timer4->stop();
}

void MainWindow::N13Click() {
    if (::OpenClipboard(handle())) {
        ::EmptyClipboard();
        ::CloseClipboard();
        ::MessageBoxW(handle(), L"クリップボードを初期化しました", kAppTitle, MB_OK | MB_ICONINFORMATION);
    } else {
        ::MessageBoxW(handle(), L"クリップボードの初期化に失敗しました", kAppTitle, MB_OK | MB_ICONERROR);
    }
}

void MainWindow::Help1Click() { open_help_contents(handle()); }
void MainWindow::Help2Click() { open_help_topic(handle(), kWindowHelpContext); }

void MainWindow::About1Click() {
    // Asked again while it is open (a command from another program): the open one comes forward.
    if (HWND open = TForm3::OpenDialog()) {
        ::SetForegroundWindow(open);
        return;
    }
    TrayModalGuard tray(tray_->main_icon());
    TForm3 dialog;
    dialog.ShowModal(handle(), [&tray](HWND window) { tray.set_dialog(window); });
}

} // namespace qv::app
