#pragma once
// The program's top-level error report: an error that escapes a window message or a timer tick is
// shown to the user in a message box and the program goes on.
#include <windows.h>

#include <exception>
#include <string>

namespace qv::win {

// The text a user is shown for an exception in flight or given.
std::wstring describe_exception(std::exception_ptr error);

// Shows the current exception (call from a catch block). Never throws.
void report_current_exception(HWND owner) noexcept;

// Runs `action`; an exception it raises is reported and swallowed.
template <typename Action>
void guarded(HWND owner, Action&& action) noexcept {
    try {
        action();
    } catch (...) {
        report_current_exception(owner);
    }
}

} // namespace qv::win
