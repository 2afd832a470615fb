#pragma once
// Shows a menu of the menu model as a native popup menu; the chosen item arrives at the owner window
// as WM_COMMAND with the item's id.
#include <windows.h>

#include "app/menu_model.h"
#include "desktop/tray_menu.h"

namespace qv::app {

// Builds a native menu (owned by the caller through UniqueMenu) from the model.
HMENU build_native_menu(const std::vector<MenuItem>& items);

// Opens `model` at the screen point; returns after the menu closes. The owner is brought to the
// foreground first so the menu closes when the user clicks elsewhere.
void show_popup_menu(HWND owner, const MenuModel& model, POINT at);

// A menu of the model as a tray icon opens it: its OnPopup runs first, its commands go to `owner`.
class TrayPopupMenu final : public desktop::TrayMenu {
public:
    TrayPopupMenu(HWND owner, const MenuModel& model) : owner_(owner), model_(model) {}
    void Popup(int x, int y) override;

private:
    HWND owner_;
    const MenuModel& model_;
};

} // namespace qv::app
