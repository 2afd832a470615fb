// The display refresh after every probe refresh: tray numbers, automatic checks, the resource alarm.
#include "app/win32/main_window.h"

#include <optional>

#include "app/display_values.h"
#include "base/win32/pending_messages.h"

namespace qv::app {

DisplayFigures figures_of(const metrics::TSystemProbe& probe) {
    DisplayFigures f;
    f.PhysicalFree = probe.Memory.PhysicalFree;
    f.PhysicalTotal = probe.Memory.PhysicalTotal;
    f.SwapUsage = probe.Memory.SwapUsage;
    f.CPUUsage = probe.Kernel.CPUUsage;
    f.SystemResources = probe.Resources.SystemResources;
    f.UserResources = probe.Resources.UserResources;
    f.GDIResources = probe.Resources.GDIResources;
    return f;
}

void MainWindow::SystemProbeRefreshed() {
    if (!state_.DisplayReady) return;
    try {
        const DisplayFigures figures = figures_of(SystemProbe);

        // The main icon follows the checked metric item; "なし" leaves the program's own icon.
        int main_value = -1;
        for (MenuId item : kTrayKindItems) {
            if (PopupMenu1.is_checked(item)) main_value = metric_value(*tray_item_kind(item), figures);
        }
        // A number that could not be drawn is tried again at the next refresh.
        if (needs_redraw(main_value, state_.LastShown[0]) && DrawIconNumber(main_value, *TrayIcon1, icon_kind_[0])) {
            state_.LastShown[0] = main_value;
        }
        for (int slot = 1; slot <= kIndicatorSlots; ++slot) {
            auto& icon = AddIcons[static_cast<size_t>(slot - 1)];
            if (!icon || !icon->IconVisible()) continue;
            const int kind = icon_kind_[static_cast<size_t>(slot)];
            const int value = metric_value(kind, figures);
            if (needs_redraw(value, state_.LastShown[static_cast<size_t>(slot)]) && DrawIconNumber(value, *icon, kind)) {
                state_.LastShown[static_cast<size_t>(slot)] = value;
            }
        }

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

void MainWindow::TrayIcon1MouseMove() { TrayIcon1->SetHint(tray_hint_text(figures_of(SystemProbe))); }

} // namespace qv::app
