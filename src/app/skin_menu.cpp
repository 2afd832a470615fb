#include "app/skin_menu.h"

namespace qv::app {
namespace {

std::wstring without_extension(const std::wstring& file) {
    const size_t dot = file.rfind(L'.');
    return dot == std::wstring::npos ? file : file.substr(0, dot);
}

} // namespace

std::vector<SkinMenuEntry> skin_menu_entries(const std::wstring& skin_folder, const std::vector<SkinFolderEntry>& listing,
                                             const std::wstring& skin_file_name) {
    std::vector<SkinMenuEntry> entries;
    for (const SkinFolderEntry& entry : listing) {
        if (!entry.is_folder || entry.name == L"." || entry.name == L".." || !entry.description_file) continue;
        SkinMenuEntry item;
        item.caption = without_extension(*entry.description_file);
        item.path = skin_folder + entry.name + L"\\" + *entry.description_file;
        item.checked = item.path == skin_file_name;
        entries.insert(entries.begin(), std::move(item));
    }
    return entries;
}

SkinChoice choose_skin(const SkinMenuEntry& clicked, const std::wstring& current_skin_file) {
    SkinChoice choice;
    choice.checked = !clicked.checked;
    if (choice.checked) choice.skin_file_name = clicked.path;
    choice.changes_design = choice.skin_file_name != current_skin_file;
    return choice;
}

} // namespace qv::app
