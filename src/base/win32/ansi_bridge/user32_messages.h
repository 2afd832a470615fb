#pragma once
// The 95 family's stand-ins for user32's wide message functions (see bridge.h). Messages whose
// parameters carry text are sent in their ANSI form; every other message passes as it is.
#include <windows.h>

namespace qv::win::ansi {

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT first, UINT last);
BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT remove);
LRESULT WINAPI DispatchMessageW(const MSG* message);
LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI SendMessageTimeoutW(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT flags, UINT timeout,
                                   PDWORD_PTR result);
BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace qv::win::ansi
