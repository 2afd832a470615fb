// Optimization runs started from the menus, the hotkey, other programs and the automatic triggers.
#include "app/win32/main_window.h"

#include "app/app_info.h"
#include "app/command_line.h"
#include "app/optimization_progress.h"
#include "base/win32/monotonic_clock.h"
#include "base/win32/pending_messages.h"

namespace qv::app {

void MainWindow::RunOptimization(int megabytes) {
    MaxMem1.RunDefrag(megabytes);
    state_.LastShown[0] = kForceRedraw;
}

void MainWindow::MaxMem1BeforeDefrag() {
    SystemProbe.SetAutoRefresh(false);
    run_frames_.start();
}

void MainWindow::MaxMem1Progress(int progress) {
    default_design_->set_title(run_phase_title(progress));
    const double now = win::monotonic_milliseconds();
    const RunStepView view = run_frames_.step(progress, now);
    if (view.draw_icon && tray_->draw_main_number(view.icon_number)) {
        run_frames_.icon_shown(view.icon_number, now);
    }
    if (view.run_messages) win::run_pending_messages();
}

void MainWindow::MaxMem1AfterDefrag() {
    default_design_->set_title(kAppTitle);
    // The progress numbers leave the main icon unless it shows a metric (kinds 1..5) that the refresh
    // redraws: "なし" puts the program's icon back, and so does a hand-edited IconMenu outside 1..6,
    // which checks no kind item and would keep the last progress number for good.
    if (tray_->main_kind() < 1 || tray_->main_kind() > 5) tray_->show_application_icon();
    state_.LastShown[0] = kForceRedraw;
    // A run that ends inside the alarm box (a request from another program, a hotkey) leaves the
    // refresh off: the box switches it back on when it closes.
    if (refresh_may_run()) {
        SystemProbe.SetAutoRefresh(true);
        SystemProbe.Refresh();
    }
}

AutoSettings MainWindow::read_auto_settings() {
    AutoSettings s;
    settings::read_optimization_items(RM, s);
    return s;
}

void MainWindow::Timer1Timer() {
    auto_optimization_->Timer1Timer(read_auto_settings(), SystemProbe.Kernel.CPUUsage, SystemProbe.AutoRefresh());
}

LRESULT MainWindow::clean_request(WPARAM wparam, LPARAM lparam) {
    // The window's first messages may run while it is still being built (inside a start-up box, or while
    // the tray answers): a run then would find no icons and no design to show itself on. It is refused,
    // as one asked for during a run is.
    switch (wparam) {
    case 0: {
        if (!components_made()) return 0;
        // The amount is a signed 32-bit number of megabytes; 0 asks for the configured value.
        const auto amount = static_cast<std::int32_t>(lparam);
        RunOptimization(amount == 0 ? RM.Filer(items::CleanValue).ReadInteger() : amount);
        return 1;
    }
    case 1: return 80;
    case kReportedCleanRequest: {
        // As 0, and the reply says whether the run was made and got any memory.
        const auto decision = decide_clean_request(MaxMem1.Busy() || !components_made(),
                                                   static_cast<std::int32_t>(lparam),
                                                   RM.Filer(items::CleanValue).ReadInteger());
        if (decision.reply != CleanReply::Ran) return static_cast<LRESULT>(decision.reply);
        RunOptimization(decision.megabytes);
        return static_cast<LRESULT>(reply_of_run(MaxMem1.BlocksObtained()));
    }
    default: return 0;
    }
}

} // namespace qv::app
