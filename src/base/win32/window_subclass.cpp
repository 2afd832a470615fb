#include "base/win32/window_subclass.h"

#include "base/win32/system_function.h"
#include "base/win32/window_subclass_fallback.h"

namespace qv::win {
namespace {

struct SubclassManager {
    decltype(&::SetWindowSubclass) set;
    decltype(&::RemoveWindowSubclass) remove;
    decltype(&::DefSubclassProc) next;
};

template <typename Function>
Function subclass_function(WORD ordinal) noexcept {
    return system_function<Function>(L"comctl32.dll", MAKEINTRESOURCEA(ordinal));
}

// The common controls' manager when they have all of it, else null: the choice is made once, so a
// window never has subclasses in both.
const SubclassManager* manager() noexcept {
    static const SubclassManager found{subclass_function<decltype(&::SetWindowSubclass)>(410),
                                       subclass_function<decltype(&::RemoveWindowSubclass)>(412),
                                       subclass_function<decltype(&::DefSubclassProc)>(413)};
    return found.set && found.remove && found.next ? &found : nullptr;
}

} // namespace

BOOL set_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept {
    const SubclassManager* common = manager();
    return common ? common->set(window, procedure, id, data) : fallback_subclass::set(window, procedure, id, data);
}

BOOL remove_window_subclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    const SubclassManager* common = manager();
    return common ? common->remove(window, procedure, id) : fallback_subclass::remove(window, procedure, id);
}

LRESULT def_subclass_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    const SubclassManager* common = manager();
    return common ? common->next(window, message, wparam, lparam)
                  : fallback_subclass::def_proc(window, message, wparam, lparam);
}

} // namespace qv::win
