#pragma once
// Messages that another program may send to a window of ours when we run elevated. User Interface
// Privilege Isolation (Vista on) drops messages above WM_USER, registered messages and broadcasts that
// come from a program of lower integrity, unless the window or the process lets them through.
#include <windows.h>

namespace qv::win {

// The two system calls that let a message through, as the system has them: for one window (Windows 7
// on) or for the whole process (Vista). Null where the system lacks one.
struct MessageFilterCalls {
    using WindowFilter = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* change);
    using ProcessFilter = BOOL(WINAPI*)(UINT message, DWORD flag);
    WindowFilter window = nullptr;    // ChangeWindowMessageFilterEx
    ProcessFilter process = nullptr;  // ChangeWindowMessageFilter
};
MessageFilterCalls system_message_filter_calls() noexcept;

// Lets `message` reach `window` from programs of lower integrity: for that window where the system can,
// else for the process; before Vista there is no filter and nothing to do. False when a filter refused.
bool allow_message_from_lower_integrity(HWND window, UINT message,
                                        const MessageFilterCalls& calls = system_message_filter_calls()) noexcept;

} // namespace qv::win
