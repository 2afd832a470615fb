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

} // namespace qv::win
