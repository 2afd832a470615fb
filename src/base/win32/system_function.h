#pragma once
// A function of a loaded system library, looked up at run time for calls that older systems lack (a static
// import of one would keep the program from starting there): null where it is missing.
#include <windows.h>

namespace qv::win {

template <typename Function>
Function system_function(const char* library, const char* name) noexcept {
    const HMODULE module = ::GetModuleHandleA(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

} // namespace qv::win
