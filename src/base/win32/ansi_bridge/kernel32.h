#pragma once
// The 95 family's stand-ins for kernel32's wide-character functions other than the file ones (see
// bridge.h).
#include <windows.h>

namespace qv::win::ansi {

HMODULE WINAPI GetModuleHandleW(LPCWSTR name);
HANDLE WINAPI CreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name);
HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES security, BOOL owned, LPCWSTR name);
HANDLE WINAPI OpenMutexW(DWORD access, BOOL inherit, LPCWSTR name);
HMODULE WINAPI LoadLibraryW(LPCWSTR name);
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
int WINAPI GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR buffer, int size);
VOID WINAPI GetStartupInfoW(LPSTARTUPINFOW info);
BOOL WINAPI WriteConsoleW(HANDLE console, const VOID* text, DWORD length, LPDWORD written, LPVOID reserved);
int WINAPI lstrcmpiW(LPCWSTR first, LPCWSTR second);
LPWSTR WINAPI lstrcpynW(LPWSTR target, LPCWSTR source, int size);

} // namespace qv::win::ansi
