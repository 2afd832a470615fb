#pragma once
// The main window, class TForm1: the small gauge window on the desktop and the controller of the whole
// program. It owns every component, runs the start-up sequence, and saves its position at the end.
// Its large concerns have owners of their own that it holds: TrayIcons (tray_icons.cpp: the main and
// indicator icons), DesignCanvas (design_canvas.cpp: the window's surface, background picture and design
// slots), DefaultDesignView (default_design_view.cpp: the default design), SkinView (skin_view.cpp: a
// skin built on the canvas) and SkinMenus (skin_menus.cpp: the "スキン" submenus). Its own work is spread
// over files by concern: main_window.cpp (life cycle and messages), main_window_optimize.cpp
// (optimization runs), main_window_display.cpp (display refresh and alarm), main_window_commands.cpp
// (window commands), main_window_settings.cpp (the settings dialog), main_window_design_change.cpp
// (which design is shown, and every change of it).
#include <functional>
#include <memory>
#include <string>

#include "app/app_info.h"
#include "app/auto_optimization.h"
#include "app/display_values.h"
#include "app/main_state.h"
#include "app/menu_model.h"
#include "app/optimization_progress.h"
#include "app/win32/default_design_view.h"
#include "app/win32/design_canvas.h"
#include "app/win32/skin_menus.h"
#include "app/win32/skin_view.h"
#include "app/win32/tray_icons.h"
#include "app/win32/window_timer.h"
#include "base/win32/window.h"
#include "desktop/win32/hook_hot_key.h"
#include "desktop/win32/placement.h"
#include "metrics/win32/win_system_probe.h"
#include "optimizer/win32/win_max_mem.h"
#include "settings/reg_manager.h"
#include "settings/setting_items.h"
#include "settings/win32/store_services.h"

namespace qv::app {

namespace items = settings::items;

class MainWindow : public win::Window {
public:
    MainWindow();
    ~MainWindow() override;
    // Runs the message loop until the program is told to end; returns the exit code.
    int run();

protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    // Life cycle (main_window.cpp).
    void create_components();
    void FormCreate();
    void FormDestroy();
    void FormCloseQuery();
    void move_to_saved_position();
    void apply_window_color();
    void set_percentage_captions();
    void set_configured_value_captions();
    void ensure_clean_value();
    void register_hotkeys();
    void terminate();
    void save_position();
    void show_error_box(const wchar_t* text);
    void on_timer(UINT_PTR id);
    void on_command(MenuId id);
    LRESULT dispatch_message(UINT message, WPARAM wparam, LPARAM lparam);

    // The design shown and every change of it (main_window_design_change.cpp).
    void load_skin_at_start();
    enum class SkinOutcome { Loaded, NotASkin, Failed };
    SkinOutcome load_skin_or_default(const std::wstring& file);
    // Runs a change of the window's design; one asked for while another is under way is made afterwards,
    // against the settings as they then stand.
    void change_design(const std::function<void()>& change);
    // Brings the design in line with SkinFileName: its skin, or the default design with its picture.
    void follow_skin_setting();
    void SkinMenuItemClick(MenuId entry);
    void RestoreDefaultDesign();
    void SkinButtonClick(skin::GraphicControl& sender);
    void XButtonClick();
    void show_figures(const DisplayFigures& figures);

    // Optimization (main_window_optimize.cpp).
    void RunOptimization(int megabytes);
    void MaxMem1BeforeDefrag();
    void MaxMem1Progress(int progress);
    void MaxMem1AfterDefrag();
    void Timer1Timer();
    AutoSettings read_auto_settings();

    // The tray icons (tray_icons.cpp) and what they ask of the window.
    void create_tray_drawing_surface();
    // The numbers are shown at once, unless monitoring is paused.
    void refresh_unless_paused();
    bool monitoring_paused() const { return PopupMenu1.is_checked(MenuId::N8); }
    // The probe's automatic refresh may run: monitoring is not paused, and neither a run nor the
    // resource alarm's box holds it off.
    bool refresh_may_run() const { return !monitoring_paused() && !MaxMem1.Busy() && !alarm_box_open_; }

    // Display refresh and alarm (main_window_display.cpp).
    void SystemProbeRefreshed();
    void TrayIcon1MouseMove();

    // Window commands (main_window_commands.cpp).
    void HookHotKey1HotKey(int index);
    void N8Click();
    void NTopClick();
    void TrayIcon1Click();
    void toggle_window();
    void show_window();
    void hide_window();
    void pointer_entered();
    void Timer4Timer();
    void N13Click();
    void Help1Click();
    void Help2Click();
    void About1Click();
    void NsetClick();
    LRESULT command_request(WPARAM command);

    // The settings dialog and what it changed (main_window_settings.cpp).
    void apply_settings();
    LRESULT clean_request(WPARAM wparam, LPARAM lparam);

    // Components. Declaration order is construction order; the window itself is destroyed first.
    settings::win32::SystemServices settings_services_;
    settings::TRegManager RM;
    optimizer::win32::WinMaxMem MaxMem1;
    metrics::win32::WinSystemProbe SystemProbe;
    metrics::win32::WinSysMon SysMon1;
    MenuModel PopupMenu1 = make_tray_menu();
    MenuModel PopupMenu2 = make_window_menu();
    MenuModel PopupMenu3 = make_icon_menu();
    // The "スキン" submenus of PopupMenu1 and PopupMenu2.
    SkinMenus skin_menus_{RM, PopupMenu1, PopupMenu2};
    MainState state_;
    RunFrames run_frames_;  // how often the run under way shows itself
    bool show_at_start_ = false;
    bool alarm_box_open_ = false;  // the resource alarm's box is open: the refresh is held off meanwhile

    // Made once the window exists.
    std::unique_ptr<WindowTimer> Timer1, Timer2, Timer3, Timer4;
    std::unique_ptr<AutoOptimization> auto_optimization_;
    std::unique_ptr<TrayIcons> tray_;
    std::unique_ptr<desktop::THookHotKey> HookHotKey1;
    std::unique_ptr<desktop::TTopMostWindow> TopMostWindow1;
    std::unique_ptr<desktop::TScreenDocker> ScreenDocker1;
    std::unique_ptr<desktop::TIconHide> IconHide1;

    // The window's design: the canvas it is painted on, and the default design and a skin drawn there.
    std::unique_ptr<DesignCanvas> canvas_;
    std::unique_ptr<DefaultDesignView> default_design_;
    std::unique_ptr<SkinView> skin_view_;
    // Every owner exists (the skin view is made last): the window's first messages may run before, inside
    // a start-up box or while the tray answers.
    bool components_made() const noexcept { return skin_view_ != nullptr; }
    // Nesting of on_message: retired elements are destroyed only once no handler (and so no event of
    // an element) is running.
    int message_depth_ = 0;
    bool settings_open_ = false;
    // A design change (a skin loaded, the default design restored) lets messages run: its error boxes,
    // the window shape's pending messages. A change asked for meanwhile waits for it (see change_design).
    bool design_changing_ = false;
    bool design_change_waiting_ = false;
    // The registered message by which a start with a switch commands this copy; 0 when the system
    // registered none.
    UINT command_message_ = 0;
};

} // namespace qv::app
