#include "settings/win32/shell_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "base/win32/system_function.h"
#include "base/win32/unique_handle.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kShellFoldersKey[] = L"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::wstring registry_folder(const wchar_t* name) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, &opened,
                          nullptr) != ERROR_SUCCESS) {
        return {};
    }
    win::UniqueKey key(opened);
    wchar_t value[MAX_PATH * 2]{};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    return value;
}

int folder_id(const wchar_t* name) {
    if (::lstrcmpiW(name, L"Desktop") == 0) return CSIDL_DESKTOPDIRECTORY;
    if (::lstrcmpiW(name, L"Startup") == 0) return CSIDL_STARTUP;
    if (::lstrcmpiW(name, L"Start Menu") == 0) return CSIDL_STARTMENU;
    if (::lstrcmpiW(name, L"AppData") == 0) return CSIDL_APPDATA | CSIDL_FLAG_CREATE;
    return -1;
}

// The shell's SHGetFolderPathW: shell32 has it from 2000 on. The 95 family's shell32 lacks it (or, where a
// newer Internet Explorer brought it, has no wide form worth calling): there the registry answers.
std::wstring shell_answer(int id) {
    static const auto folder_path = win::nt_function<decltype(&::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH]{};
    if (!folder_path || FAILED(folder_path(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

} // namespace

std::wstring shell_folder(const wchar_t* name) {
    // The shell's own answer first: "Shell Folders" is only the shell's record of it, which it rewrites
    // when it likes and newer systems may leave stale. Without either it is empty, and no shortcut is
    // made or removed (the path would name the root of the current drive).
    const int id = folder_id(name);
    std::wstring path = id >= 0 ? shell_answer(id) : std::wstring();
    return path.empty() ? registry_folder(name) : path;
}

} // namespace qv::settings::win32
