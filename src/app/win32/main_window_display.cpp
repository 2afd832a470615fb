// The display refresh after every probe refresh: tray numbers, automatic checks, the resource alarm.
#include "app/win32/main_window.h"

#include <optional>

#include "app/display_values.h"
#include "base/win32/pending_messages.h"

namespace qv::app {

void MainWindow::SystemProbeRefreshed() {
    if (!state_.DisplayReady) return;
    try {
        const DisplayFigures figures = figures_of(SystemProbe);

        tray_->show_numbers(figures);

        if (::IsWindowVisible(handle())) show_figures(figures);

        // The settings the refresh needs, from one reading of the file (several times a second at the
        // shortest refresh). An automatic run lets messages run, the settings dialog's among them: the
        // alarm's settings are read again after one may have run.
        std::optional<AutoSettings> automatic;
        bool alarm_setting = false;
        int alarm_value = 0;
        auto read_alarm_settings = [&] {
            alarm_setting = RM.Filer(items::Alarm).ReadBool();
            alarm_value = RM.Filer(items::AlarmValue).ReadInteger();
        };
        {
            settings::ReadBatch reads(RM);
            if (RM.Filer(items::ACChk).ReadBool()) automatic = read_auto_settings();
            read_alarm_settings();
        }
        if (automatic) {
            auto_optimization_->check_on_refresh(*automatic, figures.CPUUsage,
                                                 static_cast<long long>(figures.PhysicalFree / 1048576));
            settings::ReadBatch reads(RM);
            read_alarm_settings();
        }

        // A refresh asked for while the alarm's box is open (a menu command in its loop) raises no
        // second one.
        const bool alarm_on = alarm_setting && !alarm_box_open_;
        const AlarmDecision alarm = alarm_decision(alarm_on, figures.SystemResources, alarm_value,
                                                   state_.AlarmShown, Timer3->enabled());
        if (alarm == AlarmDecision::Show) {
            SystemProbe.SetAutoRefresh(false);
            alarm_box_open_ = true;
            ::MessageBoxW(handle(), alarm_text(figures.SystemResources).c_str(), L"警告", MB_OK | MB_ICONWARNING);
            alarm_box_open_ = false;
            state_.AlarmShown = true;
            // Monitoring may have been paused, or a run started, while the box was open.
            if (refresh_may_run()) SystemProbe.SetAutoRefresh(true);
        }
        if (alarm_decision(alarm_on, figures.SystemResources, alarm_value, state_.AlarmShown, Timer3->enabled()) ==
            AlarmDecision::Rearm) {
            state_.AlarmShown = false;
            Timer3->start();
        }
        win::run_pending_messages();
    } catch (...) {
        // A failed refresh shows nothing; the next one starts afresh.
    }
}

void MainWindow::TrayIcon1MouseMove() { tray_->main_icon().SetHint(tray_hint_text(figures_of(SystemProbe))); }

} // namespace qv::app
