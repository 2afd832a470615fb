#include "base/win32/program_folder.h"

#include <windows.h>

namespace qv::win {

std::wstring program_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: a long path
    }
}

std::wstring program_folder() {
    std::wstring path = program_path();
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {};
    // "C:\Quorvane.exe" lies in "C:\", not in "C:".
    const bool drive_root = separator == 2 && path[1] == L':';
    path.resize(drive_root ? separator + 1 : separator);
    return path;
}

}  // namespace qv::win
