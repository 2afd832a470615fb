#pragma once
// The 95 family's stand-ins for user32's other wide functions: menu items, drawn text, key names and the
// system's parameters with their fonts (see bridge.h).
#include <windows.h>

namespace qv::win::ansi {

BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item);
int WINAPI DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format);
int WINAPI GetKeyNameTextW(LONG key, LPWSTR buffer, int capacity);
UINT WINAPI MapVirtualKeyW(UINT code, UINT map_type);
BOOL WINAPI SystemParametersInfoW(UINT action, UINT number, PVOID value, UINT update);

} // namespace qv::win::ansi
