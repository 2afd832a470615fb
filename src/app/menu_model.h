#pragma once
// The main window's three popup menus as data: items, captions, check marks. The model is the one
// truth about check marks (several commands read them); the shell builds a native menu from it each
// time a menu opens.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_ids.h"

namespace qv::app {

struct MenuItem {
    MenuId id = MenuId::None;  // None for separators and submenu holders without a command of their own
    std::wstring caption;      // empty for a separator
    bool checked = false;
    std::vector<MenuItem> children;

    bool is_separator() const { return caption.empty() && children.empty(); }
};

class MenuModel {
public:
    explicit MenuModel(std::vector<MenuItem> items) : items_(std::move(items)) {}

    const std::vector<MenuItem>& items() const { return items_; }
    // The item with that command id (anywhere in the tree), or null.
    MenuItem* find(MenuId id);
    const MenuItem* find(MenuId id) const;
    bool contains(MenuId id) const { return find(id) != nullptr; }

    void set_caption(MenuId id, std::wstring caption);
    void set_checked(MenuId id, bool checked);
    bool is_checked(MenuId id) const;
    // Checks `chosen` and clears the other items of `group` (a radio-like set, such as the metric kinds).
    void check_exclusive(std::initializer_list<MenuId> group, MenuId chosen);

    // Runs just before the menu opens, so it can set its check marks.
    std::function<void()> OnPopup;

private:
    std::vector<MenuItem> items_;
};

MenuModel make_tray_menu();    // PopupMenu1
MenuModel make_window_menu();  // PopupMenu2
MenuModel make_icon_menu();    // PopupMenu3

// The "メモリの最適化" items: the ten percentage items of each menu (10 % to 100 %, in order) and the
// configured-value item.
constexpr int kPercentItems = 10;
MenuId tray_percent_item(int tenths);    // 1..10 -> N10 .. N100
MenuId window_percent_item(int tenths);  // 1..10 -> N101 .. N1001
// 1..10 for a percentage item of either menu, none otherwise.
std::optional<int> percent_item_tenths(MenuId id);

// Megabytes a percentage item frees: its share of the installed memory, whole megabytes, rounded down.
long long percent_amount(int tenths, long long total_mb);
std::wstring percent_caption(int tenths, long long total_mb);  // "30%(76MB)"
std::wstring configured_value_caption(long long clean_value);  // "設定値(64MB)"

// The main tray icon's metric kind (1..6) and its menu item.
MenuId tray_kind_item(int kind);  // None for other values
inline constexpr std::initializer_list<MenuId> kTrayKindItems = {MenuId::Nsys, MenuId::Nuser, MenuId::Ngdi,
                                                                 MenuId::Ncpu, MenuId::Nmemory, MenuId::Nnothing};
std::optional<int> tray_item_kind(MenuId id);

} // namespace qv::app
