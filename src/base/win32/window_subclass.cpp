#include "base/win32/window_subclass.h"

#include "base/win32/system_function.h"

namespace qv::win {
namespace {

template <typename Function>
Function subclass_function(WORD ordinal) noexcept {
    return system_function<Function>(L"comctl32.dll", MAKEINTRESOURCEA(ordinal));
}

} // namespace

BOOL set_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept {
    static const auto set = subclass_function<decltype(&::SetWindowSubclass)>(410);
    return set ? set(window, procedure, id, data) : FALSE;
}

BOOL remove_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    static const auto remove = subclass_function<decltype(&::RemoveWindowSubclass)>(412);
    return remove ? remove(window, procedure, id) : FALSE;
}

LRESULT def_subclass_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    static const auto next = subclass_function<decltype(&::DefSubclassProc)>(413);
    return next ? next(window, message, wparam, lparam) : ::DefWindowProcW(window, message, wparam, lparam);
}

} // namespace qv::win
