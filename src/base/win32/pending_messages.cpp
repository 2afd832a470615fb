#include "base/win32/pending_messages.h"

#include <windows.h>

#include "base/win32/system_function.h"

namespace qv::win {
namespace {

// Inside the modal loop of a menu (a timer's work runs there too), the keys and clicks waiting are the
// menu's: taken here they would reach the window instead, and the menu would not close or choose.
bool menu_is_open() noexcept {
    using GetGuiThreadInfoFn = BOOL(WINAPI*)(DWORD, GUITHREADINFO*);
    static const auto get_info = system_function<GetGuiThreadInfoFn>(L"user32.dll", "GetGUIThreadInfo");
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return get_info && get_info(::GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}

bool next_message(MSG& msg, bool leave_input) noexcept {
    if (!leave_input) return ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    // Every message but the keyboard's and the mouse's, in their order within each range.
    constexpr UINT kRanges[][2] = {
        {0, WM_KEYFIRST - 1}, {WM_KEYLAST + 1, WM_MOUSEFIRST - 1}, {WM_MOUSELAST + 1, 0xFFFFFFFF}};
    for (const auto& range : kRanges) {
        if (::PeekMessageW(&msg, nullptr, range[0], range[1], PM_REMOVE)) return true;
    }
    return false;
}

} // namespace

void run_pending_messages() noexcept {
    const bool leave_input = menu_is_open();
    MSG msg;
    while (next_message(msg, leave_input)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace qv::win
