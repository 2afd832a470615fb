#pragma once
// Subclassing where the common controls have no subclass manager (before version 5.80): the window's
// procedure is replaced by one that runs the installed subclasses, the newest first, and then the
// procedure it replaced. The contract is SetWindowSubclass's, RemoveWindowSubclass's and
// DefSubclassProc's: subclasses are told apart by procedure and id, setting one again changes its data,
// any of them may go at any time (also while messages to the window are nested), and all of them go
// when the window is destroyed. Only for windows of the calling thread.
#include <windows.h>
#include <commctrl.h>

namespace qv::win::fallback_subclass {

BOOL set(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept;
BOOL remove(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept;
LRESULT def_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

} // namespace qv::win::fallback_subclass
