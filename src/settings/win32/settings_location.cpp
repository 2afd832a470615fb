#include "settings/win32/settings_location.h"

#include <windows.h>

#include "base/win32/program_folder.h"
#include "base/win32/unique_handle.h"
#include "settings/win32/shell_folder.h"

namespace qv::settings::win32 {
namespace {

size_t name_start(std::wstring_view path) {
    const size_t separator = path.find_last_of(L"\\/:");
    return separator == path.npos ? 0 : separator + 1;
}

std::wstring choose_path() {
    const std::wstring beside = ini_path_beside(win::program_path());
    const std::wstring folder = beside.substr(0, name_start(beside));
    if (folder_accepts_files(folder.empty() ? L"." : folder)) return beside;
    const std::wstring per_user = per_user_ini_path(beside);
    if (per_user.empty()) return beside;  // writes will report that the file cannot be written
    ::CopyFileW(beside.c_str(), per_user.c_str(), TRUE);  // only when there is none yet
    return per_user;
}

} // namespace

const std::wstring& settings_file_path() {
    static const std::wstring path = choose_path();
    return path;
}

std::wstring ini_path_beside(std::wstring_view program_path) {
    const size_t name = name_start(program_path);
    const size_t dot = program_path.rfind(L'.');
    const size_t stem_end = dot != program_path.npos && dot >= name ? dot : program_path.size();
    return std::wstring(program_path.substr(0, stem_end)) + L".ini";
}

bool folder_accepts_files(const std::wstring& folder) {
    wchar_t probe[MAX_PATH];
    // GetTempFileNameW creates the file; folders too long for it are taken as not writable.
    if (folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"qvs", 0, probe)) return false;
    ::DeleteFileW(probe);
    return true;
}

std::wstring per_user_ini_path(std::wstring_view ini_path) {
    const std::wstring appdata = shell_folder(L"AppData");
    if (appdata.empty()) return {};
    const std::wstring folder = appdata + L"\\Quorvane";
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    return folder + L"\\" + std::wstring(ini_path.substr(name_start(ini_path)));
}

} // namespace qv::settings::win32
