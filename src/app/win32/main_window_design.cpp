// Which design the window shows: the default design restored, cleared for a skin, and the buttons of
// either design.
#include "app/win32/main_window.h"

#include "app/win32/refresh_pause.h"
#include "base/win32/error_report.h"

namespace qv::app {

void MainWindow::ClearForSkin() {
    RefreshPause pause(SystemProbe);
    canvas_->design.ClearAll();
    clear_progress_hints();
    default_design_->show_fixed_elements(false);
}

void MainWindow::RestoreDefaultDesign() {
    RefreshPause pause(SystemProbe);
    canvas_->design.ClearAll();
    clear_progress_hints();
    default_design_->show();
    state_.SkinActive = false;
    // The new gauges show values at once.
    if (pause.resume()) win::guarded(handle(), [this] { SystemProbe.Refresh(); });
}

void MainWindow::SkinButtonClick(skin::GraphicControl& sender) {
    if (!state_.SkinActive) return;
    switch (canvas_->design.ButtonSlotOf(sender)) {
    case 1: NsetClick(); break;
    case 2: terminate(); break;
    case 3: XButtonClick(); break;
    case 4: RunOptimization(RM.Filer(items::CleanValue).ReadInteger()); break;
    default: break;
    }
}

void MainWindow::XButtonClick() { hide_window(); }

void MainWindow::show_figures(const DisplayFigures& figures) {
    canvas_->show_figures(figures, state_.SkinActive, state_.TotalMB);
}

} // namespace qv::app
