#pragma once
// The user's shell folders: where shortcuts and the per-user settings go.
#include <string>

namespace qv::settings::win32 {

// The user's shell folder by its "Shell Folders" name ("Desktop", "Start Menu", "Startup", "AppData"), as
// the shell reports it, else as the registry records it (the only record the 95 family's shell keeps
// before SHGetFolderPathW); empty when neither knows it.
std::wstring shell_folder(const wchar_t* name);

} // namespace qv::settings::win32
