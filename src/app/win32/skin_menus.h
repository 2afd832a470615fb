#pragma once
// The "スキン" submenus of the tray menu (PopupMenu1) and the window menu (PopupMenu2): filled afresh each
// time either menu opens with the skins found in the folder "skin" beside the program, the skin in use
// checked.
#include <string>
#include <vector>

#include "app/menu_model.h"
#include "app/skin_menu.h"
#include "settings/reg_manager.h"

namespace qv::app {

class SkinMenus {
public:
    SkinMenus(settings::TRegManager& settings, MenuModel& tray_menu, MenuModel& window_menu);
    SkinMenus(const SkinMenus&) = delete;
    SkinMenus& operator=(const SkinMenus&) = delete;

    void SearchSkin(MenuId submenu);
    bool is_skin_entry(MenuId id) const;
    // An entry was chosen: its check mark and SkinFileName follow the choice, judged against the skin
    // in use. The entries may be filled afresh once this returns.
    void choose(MenuId id, const std::wstring& current_skin_file);

private:
    settings::TRegManager& RM;
    MenuModel& PopupMenu1;
    MenuModel& PopupMenu2;
    // The entries of the submenu last opened, in menu order (ids FirstSkinEntry + index).
    std::vector<SkinMenuEntry> SkinMenuItems;
};

} // namespace qv::app
