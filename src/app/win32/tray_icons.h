#pragma once
// The notification-area icons: the main icon TrayIcon1 (the program's icon or the number of the metric
// checked in the tray menu) and up to four indicator icons AddIcons, each showing one metric's number in
// that metric's colours. They keep their kinds in the settings (IconMenu, AIcons) and draw their numbers
// at the shell's icon size.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/display_values.h"
#include "app/indicator_slots.h"
#include "app/main_state.h"
#include "app/menu_model.h"
#include "app/win32/icon_number_painter.h"
#include "app/win32/popup_menu.h"
#include "desktop/win32/cool_tray_icon.h"
#include "settings/reg_manager.h"

namespace qv::app {

// What the icons ask of the main window.
struct TrayIconEvents {
    std::function<void()> click;       // either icon was clicked
    std::function<void()> mouse_move;  // the pointer rests on the main icon
    std::function<void()> refresh;     // a kind changed: its number is wanted now
};

class TrayIcons {
public:
    // `tray_menu` is the menu of the main icon (its checked metric item chooses the main number),
    // `icon_menu` the menu of the indicator icons.
    TrayIcons(HWND window, settings::TRegManager& settings, MainState& state, MenuModel& tray_menu,
              MenuModel& icon_menu, TrayIconEvents events);
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    desktop::TCoolTrayIcon& main_icon() { return *TrayIcon1; }
    // The main icon's kind: 1..5 a metric, 6 the program's icon.
    int main_kind() const { return icon_kind_[0]; }
    void read_main_kind();
    // Throws AppError when the drawing surface of the numbers cannot be made.
    void create_drawing_surface();
    // The window is going: the drawing surface and the indicator icons go with it.
    void drop_painter() { icon_painter_.reset(); }
    void drop_indicator_icons();

    void LoadIconColors();
    void restore_indicator_icons();
    void choose_main_kind(int kind);
    void AddIndicatorIcon(int kind);
    void change_indicator_kind(int kind);
    void remove_indicator_icon();
    // The numbers of a refresh, drawn where they changed.
    void show_numbers(const DisplayFigures& figures);
    // A number on the main icon in the colours of its kind (a run's progress).
    bool draw_main_number(int number) { return DrawIconNumber(number, *TrayIcon1, icon_kind_[0]); }
    void show_application_icon();
    // The display's scale may have changed: the icons are drawn anew at the shell's new icon size.
    void follow_display_scale(int dpi);

private:
    void create_main_tray_icon();
    void PopupMenu3Popup();
    // False when no icon could be made: the icon shows what it showed before.
    bool DrawIconNumber(int number, desktop::TCoolTrayIcon& icon, int kind);
    // The side of the icons the shell shows now (the small-icon size at the display's scale).
    int tray_icon_size() const;
    IndicatorSlots slots() const;

    HWND window_;
    settings::TRegManager& RM;
    MainState& state_;
    MenuModel& PopupMenu1;
    MenuModel& PopupMenu3;
    TrayIconEvents events_;
    // The menus the icons open (before the icons: they go after them).
    TrayPopupMenu tray_menu_, icon_menu_;
    std::unique_ptr<desktop::TCoolTrayIcon> TrayIcon1;
    std::array<std::unique_ptr<desktop::TCoolTrayIcon>, kIndicatorSlots> AddIcons;
    std::array<int, kIndicatorSlots + 1> icon_kind_{};  // 0: the main icon, 1..4: the slots
    std::unique_ptr<IconNumberPainter> icon_painter_;
    // By metric kind 1..6; kind 6 (no metric) is white on red.
    std::array<unsigned, 7> IconTextColors{0, 0, 0, 0, 0, 0, 0xFFFFFF};
    std::array<unsigned, 7> IconBackColors{0, 0, 0, 0, 0, 0, 0xFF0000};
};

} // namespace qv::app
