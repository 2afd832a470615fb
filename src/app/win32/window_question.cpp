#include "app/win32/window_question.h"

namespace qv::app {

WindowAnswer ask_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT timeout_ms,
                        SendMessageTimeoutFunction send) {
    DWORD_PTR reply = 0;
    ::SetLastError(ERROR_SUCCESS);
    if (send(window, message, wparam, lparam, SMTO_ABORTIFHUNG, timeout_ms, &reply)) {
        return {static_cast<LRESULT>(reply), ExitCode::Done};
    }
    return {std::nullopt, ::GetLastError() == ERROR_ACCESS_DENIED ? ExitCode::AccessDenied : ExitCode::NoAnswer};
}

} // namespace qv::app
