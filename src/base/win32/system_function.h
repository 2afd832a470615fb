#pragma once
// A function of a system library that only some Windows versions have, found at run time: a static
// import of it would keep the program from starting where it is missing.
#include <windows.h>

namespace qv::win {

// Null when the library is not loaded or lacks the function (`name` may be an ordinal, MAKEINTRESOURCEA).
// Only for libraries every process has loaded (kernel32, user32) or the program imports (comctl32,
// shell32): their handles are not ours to free.
template <typename Function>
Function system_function(const wchar_t* library, const char* name) noexcept {
    HMODULE module = ::GetModuleHandleW(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// A wide function the NT family added. The 95 family has none worth calling: where it exports one it is a
// stub that fails, and the program's wide calls must never reach a stub there (the ANSI bridges assume it).
template <typename Function>
Function nt_function(const wchar_t* library, const char* name) noexcept {
    return (::GetVersion() & 0x80000000u) ? nullptr : system_function<Function>(library, name);
}

} // namespace qv::win
