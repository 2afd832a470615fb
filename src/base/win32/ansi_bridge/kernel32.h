#pragma once
// The 95 family's stand-ins for kernel32's wide-character functions (see bridge.h).
#include <windows.h>

namespace qv::win::ansi {

HMODULE WINAPI GetModuleHandleW(LPCWSTR name);
HANDLE WINAPI CreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name);

} // namespace qv::win::ansi
