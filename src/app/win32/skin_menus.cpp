#include "app/win32/skin_menus.h"

#include <windows.h>

#include <optional>

#include "base/win32/program_folder.h"
#include "base/win32/unique_handle.h"
#include "settings/setting_items.h"

namespace qv::app {
namespace {

namespace items = settings::items;

std::wstring with_backslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

bool is_folder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The first file the system lists for the pattern.
std::optional<std::wstring> first_file(const std::wstring& pattern) {
    WIN32_FIND_DATAW found{};
    win::UniqueFindHandle search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search) return std::nullopt;
    return std::wstring(found.cFileName);
}

// The skin folder's entries in the system's order, each subfolder with its first description file.
std::vector<SkinFolderEntry> list_skin_folder(const std::wstring& skin_folder) {
    std::vector<SkinFolderEntry> listing;
    WIN32_FIND_DATAW found{};
    win::UniqueFindHandle search(::FindFirstFileW((skin_folder + L"*.*").c_str(), &found));
    if (!search) return listing;
    do {
        SkinFolderEntry entry;
        entry.name = found.cFileName;
        entry.is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (entry.is_folder && entry.name != L"." && entry.name != L"..") {
            entry.description_file = first_file(skin_folder + entry.name + L"\\*.qvs");
        }
        listing.push_back(std::move(entry));
    } while (::FindNextFileW(search.get(), &found));
    return listing;
}

} // namespace

SkinMenus::SkinMenus(settings::TRegManager& settings, MenuModel& tray_menu, MenuModel& window_menu)
    : RM(settings), PopupMenu1(tray_menu), PopupMenu2(window_menu) {
    // Either "スキン" submenu is filled afresh each time its menu opens.
    PopupMenu1.OnPopup = [this] { SearchSkin(MenuId::NSkin); };
    PopupMenu2.OnPopup = [this] { SearchSkin(MenuId::NSkin2); };
}

void SkinMenus::SearchSkin(MenuId submenu) {
    SkinMenuItems.clear();
    for (MenuModel* menu : {&PopupMenu1, &PopupMenu2}) {
        for (MenuId id : {MenuId::NSkin, MenuId::NSkin2}) {
            if (MenuItem* item = menu->find(id)) item->children.clear();
        }
    }
    const std::wstring program = with_backslash(win::program_folder());
    if (!is_folder(program + L"Skin")) return;
    const std::wstring skin_folder = program + L"skin\\";
    SkinMenuItems =
        skin_menu_entries(skin_folder, list_skin_folder(skin_folder), RM.Filer(items::SkinFileName).ReadString());

    MenuModel& menu = submenu == MenuId::NSkin ? PopupMenu1 : PopupMenu2;
    MenuItem* holder = menu.find(submenu);
    if (!holder) return;
    for (size_t i = 0; i < SkinMenuItems.size(); ++i) {
        MenuItem item;
        item.id = static_cast<MenuId>(static_cast<size_t>(MenuId::FirstSkinEntry) + i);
        item.caption = SkinMenuItems[i].caption;
        item.checked = SkinMenuItems[i].checked;
        holder->children.push_back(std::move(item));
    }
}

bool SkinMenus::is_skin_entry(MenuId id) const {
    const auto first = static_cast<size_t>(MenuId::FirstSkinEntry);
    const auto value = static_cast<size_t>(id);
    return value >= first && value - first < SkinMenuItems.size();
}

void SkinMenus::choose(MenuId id, const std::wstring& current_skin_file) {
    SkinMenuEntry& entry = SkinMenuItems[static_cast<size_t>(id) - static_cast<size_t>(MenuId::FirstSkinEntry)];
    const SkinChoice choice = choose_skin(entry, current_skin_file);
    entry.checked = choice.checked;
    PopupMenu1.set_checked(id, choice.checked);
    PopupMenu2.set_checked(id, choice.checked);
    // From here on the entry may go: the boxes of the load let a menu open and fill itself afresh.
    RM.Filer(items::SkinFileName).WriteString(choice.skin_file_name);
}

} // namespace qv::app
