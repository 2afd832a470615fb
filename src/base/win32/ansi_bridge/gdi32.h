#pragma once
// The 95 family's stand-ins for gdi32's wide functions (see bridge.h): fonts and text metrics.
#include <windows.h>

namespace qv::win::ansi {

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font);
int WINAPI GetObjectW(HANDLE object, int size, LPVOID buffer);
BOOL WINAPI GetTextMetricsW(HDC dc, LPTEXTMETRICW metrics);

} // namespace qv::win::ansi
