#pragma once
// The 95 family's stand-in for the shell's wide-character start of a document or program (see bridge.h).
#include <windows.h>
#include <shellapi.h>

namespace qv::win::ansi {

BOOL WINAPI ShellExecuteExW(SHELLEXECUTEINFOW* info);

} // namespace qv::win::ansi
