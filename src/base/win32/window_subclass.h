#pragma once
// Window subclassing through the common controls' subclass manager. Before version 6 the common controls
// export its functions by ordinal only, so they are found at run time by ordinal (the numbers every
// version since 5.80 keeps); a static import by name would keep the program from loading there.
#include <windows.h>
#include <commctrl.h>

namespace qv::win {

// As SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc. Without the subclass manager (common
// controls older than 5.80) the program's own chain of window procedures does the same
// (window_subclass_fallback.h).
BOOL set_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept;
BOOL remove_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept;
LRESULT def_subclass_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

} // namespace qv::win
