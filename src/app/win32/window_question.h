#pragma once
// A question to the running copy's window, and why no answer came back.
#include <windows.h>

#include <optional>

#include "app/command_line.h"

namespace qv::app {

struct WindowAnswer {
    std::optional<LRESULT> reply;
    ExitCode failure = ExitCode::Done;  // without a reply: NoAnswer, or AccessDenied
};

using SendMessageTimeoutFunction = LRESULT(WINAPI*)(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                                    UINT flags, UINT timeout_ms, PDWORD_PTR reply);

// A window that does not answer in time, or hangs, or has gone, gives NoAnswer. One the system keeps the
// message from (User Interface Privilege Isolation, when the copy runs elevated) gives AccessDenied:
// waiting longer or starting again will not help there.
WindowAnswer ask_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT timeout_ms,
                        SendMessageTimeoutFunction send = &::SendMessageTimeoutW);

} // namespace qv::app
