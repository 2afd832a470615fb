#pragma once
// The "スキン" submenus: which skins the folder "skin" beside the program offers, in which order and
// with which check mark, and what choosing one of them does.
#include <optional>
#include <string>
#include <vector>

namespace qv::app {

// One entry of the skin folder's listing, in the order the system listed it.
struct SkinFolderEntry {
    std::wstring name;
    bool is_folder = false;
    // For a folder: the first ".qvs" file the system lists in it, if any.
    std::optional<std::wstring> description_file;
};

struct SkinMenuEntry {
    std::wstring caption;  // the description file's name without its extension
    std::wstring path;     // skin folder + subfolder + "\" + file
    bool checked = false;
};

// The entries of the submenu, top to bottom: every subfolder that holds a description file, in the
// reverse of the listing order (each is put at the top as it is found). `skin_folder` ends with a
// backslash. The entry whose path is `skin_file_name` exactly (letter case included) is checked.
std::vector<SkinMenuEntry> skin_menu_entries(const std::wstring& skin_folder, const std::vector<SkinFolderEntry>& listing,
                                             const std::wstring& skin_file_name);

// What a click on a skin entry leads to: the entry's new check mark and SkinFileName, and whether the
// window changes (to that skin, or back to the default design when the new name is empty).
struct SkinChoice {
    bool checked = false;
    std::wstring skin_file_name;
    bool changes_design = false;
};
SkinChoice choose_skin(const SkinMenuEntry& clicked, const std::wstring& current_skin_file);

} // namespace qv::app
