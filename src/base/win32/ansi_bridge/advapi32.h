#pragma once
// The 95 family's stand-ins for advapi32's wide-character registry functions (see bridge.h).
#include <windows.h>

namespace qv::win::ansi {

LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD reserved, LPWSTR key_class, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
// String values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) come back as wide text, sized in bytes of it.
LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);

} // namespace qv::win::ansi
