#include "app/win32/main_window.h"

#include <windowsx.h>

#include <optional>

#include "app/app_info.h"
#include "app/command_line.h"
#include "app/win32/popup_menu.h"
#include "app/win32/resources/resource_ids.h"
#include "base/win32/display_scale.h"
#include "base/win32/error_report.h"
#include "base/win32/message_filter.h"
#include "settings/hotkey_text.h"
#include "settings/settings_table.h"
#include "settings/win32/settings_location.h"

namespace qv::app {
namespace {

enum TimerId : UINT_PTR { kTimer1 = 1, kTimer2, kTimer3, kTimer4 };
constexpr unsigned kAlarmDelayMs = 60000;
constexpr unsigned kAutoHideCheckMs = 100;
constexpr DWORD kWindowStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;

} // namespace

MainWindow::MainWindow() : RM(settings::make_main_store(settings_services_.services())) {
    register_class(kMainWindowClass, CS_DBLCLKS, ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVANE)));
    RECT frame{0, 0, win::scaled(kClientWidth), win::scaled(kClientHeight)};
    ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    create(kMainWindowClass, kAppTitle, kWindowStyle, 0, 100, 100, frame.right - frame.left, frame.bottom - frame.top);
    command_message_ = ::RegisterWindowMessageW(kCommandMessageName);
    // Other programs' requests reach the window also when it runs elevated.
    win::allow_message_from_lower_integrity(handle(), kCleanRequestMessage);
    if (command_message_ != 0) win::allow_message_from_lower_integrity(handle(), command_message_);
    create_components();
    FormCreate();
}

MainWindow::~MainWindow() {
    // The window goes first: its destruction saves the position through the store, a member.
    destroy();
}

void MainWindow::create_components() {
    HWND window = handle();
    settings_services_.set_owner(window);
    Timer1 = std::make_unique<WindowTimer>(window, kTimer1, 0);
    Timer2 = std::make_unique<WindowTimer>(window, kTimer2, kLowMemoryLockoutMs);
    Timer3 = std::make_unique<WindowTimer>(window, kTimer3, kAlarmDelayMs);
    Timer4 = std::make_unique<WindowTimer>(window, kTimer4, kAutoHideCheckMs);
    auto_optimization_ = std::make_unique<AutoOptimization>(*Timer1, *Timer2, state_,
                                                            [this](int megabytes) { RunOptimization(megabytes); });

    MaxMem1.OnBeforeDefrag = [this](optimizer::TMaxMem&) { MaxMem1BeforeDefrag(); };
    MaxMem1.OnProgress = [this](optimizer::TMaxMem&, std::int32_t progress) { MaxMem1Progress(progress); };
    MaxMem1.OnAfterDefrag = [this](optimizer::TMaxMem&) { MaxMem1AfterDefrag(); };

    SysMon1.Monitors().Add("KERNEL", "CPUUsage");
    SystemProbe.SetErrorOwner(window);
    SystemProbe.OnRefreshed = [this](metrics::TSystemProbe&) { SystemProbeRefreshed(); };
    // Loading refreshes once; DisplayReady is still clear, so that refresh shows nothing. A probe that
    // cannot read the system is reported and the program goes on (its timer tries again).
    win::guarded(window, [this] { SystemProbe.Load(metrics::kMainWindowProbe); });

    // The program has no taskbar button.
    desktop::TIconHide::remember_startup_style(window);
    IconHide1 = std::make_unique<desktop::TIconHide>();
    TopMostWindow1 = std::make_unique<desktop::TTopMostWindow>(window);
    ScreenDocker1 = std::make_unique<desktop::TScreenDocker>(window);
    HookHotKey1 = std::make_unique<desktop::THookHotKey>(window);
    HookHotKey1->Activate = false;
    HookHotKey1->OnHotKey = [this](desktop::THookHotKey&, int index) { HookHotKey1HotKey(index); };

    tray_ = std::make_unique<TrayIcons>(window, RM, state_, PopupMenu1, PopupMenu3,
                                        TrayIconEvents{[this] { TrayIcon1Click(); }, [this] { TrayIcon1MouseMove(); },
                                                       [this] { refresh_unless_paused(); }});
    // Starting minimized: the window is shown only when the start-up sequence asks for it.
    show_at_start_ = !tray_->main_icon().StartMinimized;
    canvas_ = std::make_unique<DesignCanvas>(window);
    default_design_ = std::make_unique<DefaultDesignView>(*canvas_, RM, SystemProbe, [this] { XButtonClick(); });
    skin_view_ = std::make_unique<SkinView>(*canvas_, *default_design_, settings_services_, SystemProbe, state_,
                                            [this](skin::GraphicControl& sender) { SkinButtonClick(sender); });
}

void MainWindow::FormCreate() {
    // Starts the kernel's processor statistic where the system keeps one; the value is not needed.
    SysMon1.Monitors()[0].ReadValue();
    state_.AlarmShown = false;
    state_.PeriodicSuspended = false;
    // The help lies in kHelpFolder beside the program (help.h opens it).
    RM.IniFileName = settings::win32::settings_file_path();
    // Start-up reads some fifty settings: each stretch below reads the file once. The stretches end where
    // messages run (a picture or skin loading, the first refresh), so that the file is read afresh there.
    std::optional<settings::ReadBatch> reads(std::in_place, RM);
    move_to_saved_position();
    state_.TransparentBack = RM.Filer(items::TransFlag).ReadBool();
    canvas_->apply_transparent_back(state_.TransparentBack);
    tray_->read_main_kind();
    win::guarded(handle(), [this] { tray_->LoadIconColors(); });
    state_.SkinActive = false;
    state_.LastShown.fill(kForceRedraw);
    create_tray_drawing_surface();
    default_design_->CreateDefaultGauges();
    if (!RM.Filer(items::Tasktray).ReadBool()) show_at_start_ = true;
    reads.reset();
    // A picture that cannot be shown is reported; start-up goes on without it.
    win::guarded(handle(), [this] { default_design_->load_background_picture(); });
    load_skin_at_start();
    reads.emplace(RM);
    tray_->restore_indicator_icons();
    if (RM.Filer(items::TopMost).ReadBool()) {
        TopMostWindow1->SetAlwaysOnTop(true);
        PopupMenu2.set_checked(MenuId::NTop, true);
    }
    auto_optimization_->configure_periodic(read_auto_settings(), false);
    PopupMenu1.check_exclusive(kTrayKindItems, tray_kind_item(RM.Filer(items::IconMenu).ReadInteger()));
    // Hand-edited design values that are no colour are reported; start-up goes on without them.
    win::guarded(handle(), [this] { apply_window_color(); });
    win::guarded(handle(), [this] { default_design_->apply_fonts_and_button(); });
    SystemProbe.SetRefreshInterval(RM.Filer(items::RefreshTime).ReadInteger());
    state_.TotalMB = total_megabytes(SystemProbe.Memory.PhysicalTotal);
    state_.DisplayReady = true;
    reads.reset();
    win::guarded(handle(), [this] { SystemProbe.Refresh(); });
    reads.emplace(RM);
    set_percentage_captions();
    ensure_clean_value();
    set_configured_value_captions();
    register_hotkeys();
    ScreenDocker1->Active = RM.Filer(items::Snap).ReadBool();
    state_.AutoHideOn = RM.Filer(items::AutoHide).ReadBool();
}

void MainWindow::create_tray_drawing_surface() {
    try {
        tray_->create_drawing_surface();
    } catch (const AppError& error) {
        show_error_box(error.text().c_str());
        terminate();
    }
}

void MainWindow::refresh_unless_paused() {
    if (!monitoring_paused()) SystemProbe.Refresh();
}

void MainWindow::move_to_saved_position() {
    const int top = RM.Filer(items::FormTop).ReadInteger();
    const int left = RM.Filer(items::FormLeft).ReadInteger();
    ::SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::apply_window_color() {
    canvas_->host().SetColor(RM.Filer(items::WindowColor).ReadColor());
}

void MainWindow::set_percentage_captions() {
    for (int tenths = 1; tenths <= kPercentItems; ++tenths) {
        auto caption = percent_caption(tenths, state_.TotalMB);
        PopupMenu1.set_caption(tray_percent_item(tenths), caption);
        PopupMenu2.set_caption(window_percent_item(tenths), caption);
    }
}

void MainWindow::ensure_clean_value() {
    // -1 means no amount has been chosen yet: a quarter of the installed memory.
    if (RM.Filer(items::CleanValue).ReadInteger() == -1) {
        RM.Filer(items::CleanValue).WriteInteger(static_cast<std::int32_t>(state_.TotalMB / 4));
    }
}

void MainWindow::set_configured_value_captions() {
    auto caption = configured_value_caption(RM.Filer(items::CleanValue).ReadInteger());
    PopupMenu1.set_caption(MenuId::Ns, caption);
    PopupMenu2.set_caption(MenuId::Ns2, caption);
}

void MainWindow::register_hotkeys() {
    for (int index = 1; index <= 5; ++index) {
        const auto text = RM.Filer(items::kHotkeys[static_cast<size_t>(index - 1)]).ReadString();
        HookHotKey1->AddHotKey(index, static_cast<unsigned>(settings::text_to_hotkey(text, settings_services_.key_layout())));
    }
}

int MainWindow::run() {
    if (show_at_start_) ::ShowWindow(handle(), SW_SHOW);
    ::SetPropW(handle(), kReadyProperty, reinterpret_cast<HANDLE>(1));
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    destroy();
    return 0;
}

void MainWindow::terminate() { ::PostQuitMessage(0); }

void MainWindow::save_position() {
    RECT r{};
    ::GetWindowRect(handle(), &r);
    RM.Filer(items::FormTop).WriteInteger(r.top);
    RM.Filer(items::FormLeft).WriteInteger(r.left);
}

void MainWindow::FormDestroy() {
    ::RemovePropW(handle(), kReadyProperty);
    tray_->drop_painter();
    skin_view_->drop_progress_hints();
    win::guarded(handle(), [this] { save_position(); });
    tray_->drop_indicator_icons();
}

void MainWindow::FormCloseQuery() {
    // Closing the window never ends the program: it only hides.
    hide_window();
}

void MainWindow::show_error_box(const wchar_t* text) {
    ::MessageBoxW(handle(), text, L"ERROR", MB_OK | MB_ICONWARNING);
}

void MainWindow::on_timer(UINT_PTR id) {
    switch (id) {
    case kTimer1: Timer1Timer(); break;
    case kTimer2: auto_optimization_->Timer2Timer(); break;
    case kTimer3: Timer3->stop(); break;
    case kTimer4: Timer4Timer(); break;
    default: break;
    }
}

LRESULT MainWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    struct Nesting {
        MainWindow& window;
        explicit Nesting(MainWindow& w) : window(w) { ++window.message_depth_; }
        ~Nesting() {
            // Elements taken out of the window (possibly from inside their own event) go once every
            // handler has returned.
            // Nor while a design change is under way: one started outside any handler (at start-up)
            // still holds the elements it builds.
            if (--window.message_depth_ == 0 && !window.design_changing_ && window.canvas_) {
                window.canvas_->design.DestroyRetired();
            }
        }
    } nesting(*this);
    return dispatch_message(message, wparam, lparam);
}

LRESULT MainWindow::dispatch_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_MOUSEMOVE) pointer_entered();
    if (command_message_ != 0 && message == command_message_) return command_request(wparam);
    // Paint and mouse input of the design's elements (the right button still opens the context menu).
    LRESULT handled = 0;
    if (canvas_ && canvas_->surface.HandleMessage(message, wparam, lparam, handled)) return handled;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (components_made()) canvas_->start_drag();  // a press on the background drags the window
        return 0;
    case WM_CONTEXTMENU: {
        POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        if (at.x == -1 && at.y == -1) ::GetCursorPos(&at);
        if (PopupMenu2.OnPopup) PopupMenu2.OnPopup();
        show_popup_menu(handle(), PopupMenu2, at);
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wparam) == 0) on_command(static_cast<MenuId>(LOWORD(wparam)));
        return 0;
    case WM_TIMER:
        on_timer(wparam);
        return 0;
    case WM_NOTIFY:
        return components_made() ? skin_view_->on_notify(*reinterpret_cast<NMHDR*>(lparam)) : 0;
    case WM_MOVE:
        // A see-through background follows the desktop under the window's new place.
        if (state_.TransparentBack) canvas_->surface.Refresh();
        return 0;
    case WM_CLOSE:
        FormCloseQuery();
        return 0;
    case WM_QUERYENDSESSION:
        // Windows may go on ending the session. The program ends only when it really does
        // (WM_ENDSESSION): another program may still cancel the shut-down.
        return 1;
    case WM_ENDSESSION:
        if (wparam) {
            // The process may not get to run its message loop again: save now, then end.
            save_position();
            terminate();
        }
        return 0;
    case WM_USER + 1:
        return clean_request(wparam, lparam);
    case win::kDpiChangedMessage:
        if (components_made()) tray_->follow_display_scale(HIWORD(wparam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
        if (components_made()) tray_->follow_display_scale(win::shell_dpi(handle()));
        return default_message(message, wparam, lparam);
    case WM_DESTROY:
        FormDestroy();
        return 0;
    default:
        return default_message(message, wparam, lparam);
    }
}

} // namespace qv::app
