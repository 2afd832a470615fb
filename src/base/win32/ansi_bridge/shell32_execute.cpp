#include "base/win32/ansi_bridge/shell32_execute.h"

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::ansi {

BOOL WINAPI ShellExecuteExW(SHELLEXECUTEINFOW* info) {
    using bridge::AnsiArgument;
    const AnsiArgument verb(info->lpVerb), file(info->lpFile), parameters(info->lpParameters),
        folder(info->lpDirectory), file_class((info->fMask & SEE_MASK_CLASSNAME) ? info->lpClass : nullptr);
    SHELLEXECUTEINFOA ansi{};
    ansi.cbSize = sizeof(ansi);
    ansi.fMask = info->fMask & ~static_cast<ULONG>(SEE_MASK_UNICODE);
    ansi.hwnd = info->hwnd;
    ansi.lpVerb = verb;
    ansi.lpFile = file;
    ansi.lpParameters = parameters;
    ansi.lpDirectory = folder;
    ansi.nShow = info->nShow;
    ansi.lpIDList = info->lpIDList;
    ansi.lpClass = file_class;
    ansi.hkeyClass = info->hkeyClass;
    ansi.dwHotKey = info->dwHotKey;
    ansi.hIcon = info->hIcon;
    const BOOL started = ::ShellExecuteExA(&ansi);
    info->hInstApp = ansi.hInstApp;
    info->hProcess = ansi.hProcess;
    return started;
}

} // namespace qv::win::ansi

QV_BRIDGE("shell32.dll", ShellExecuteExW, 4);
