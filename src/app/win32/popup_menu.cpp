#include "app/win32/popup_menu.h"

#include "base/win32/unique_handle.h"

namespace qv::app {

HMENU build_native_menu(const std::vector<MenuItem>& items) {
    HMENU menu = ::CreatePopupMenu();
    for (const auto& entry : items) {
        if (entry.is_separator()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!entry.children.empty() || entry.id == MenuId::NSkin || entry.id == MenuId::NSkin2) {
            HMENU sub = build_native_menu(entry.children);
            ::AppendMenuW(menu, MF_POPUP | (entry.children.empty() ? MF_GRAYED : 0u), reinterpret_cast<UINT_PTR>(sub),
                          entry.caption.c_str());
        } else {
            UINT flags = MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED);
            ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(entry.id), entry.caption.c_str());
        }
    }
    return menu;
}

void show_popup_menu(HWND owner, const MenuModel& model, POINT at) {
    win::UniqueMenu menu(build_native_menu(model.items()));
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    // Lets the menu close properly when the owner is a background window.
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

void TrayPopupMenu::Popup(int x, int y) {
    if (model_.OnPopup) model_.OnPopup();
    show_popup_menu(owner_, model_, POINT{x, y});
}

} // namespace qv::app
