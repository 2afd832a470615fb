#include "base/win32/shell_open.h"

#include <shellapi.h>

#include "base/win32/program_folder.h"

namespace qv::win {

bool shell_open(HWND owner, const std::wstring& target) {
    const std::wstring folder = program_folder();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOW;
    return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace qv::win
