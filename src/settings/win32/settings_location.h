#pragma once
// Where the settings file lives.
//
// The rule: beside the program, with the program's name and the extension ".ini"
// (C:\Tools\Quorvane.exe keeps C:\Tools\Quorvane.ini), when the program's folder lets the user create
// files. When it does not (the program installed under Program Files), the file is
// %APPDATA%\Quorvane\<program name>.ini; the first time, a settings file already lying beside the program
// is copied there, so a prepared configuration carries over. The choice is made once, at the first call,
// and holds for the whole run.
#include <string>
#include <string_view>

namespace qv::settings::win32 {

// The full path of the settings file.
const std::wstring& settings_file_path();

// The parts of the rule, for tests.
// The program's path with its extension replaced by ".ini" (or ".ini" added when it has none).
std::wstring ini_path_beside(std::wstring_view program_path);
// Whether a new file can be created in `folder` now (tried with a file that is deleted at once).
bool folder_accepts_files(const std::wstring& folder);
// %APPDATA%\Quorvane\<name of ini_path>, the folder made when missing; empty when there is no such folder.
std::wstring per_user_ini_path(std::wstring_view ini_path);

} // namespace qv::settings::win32
