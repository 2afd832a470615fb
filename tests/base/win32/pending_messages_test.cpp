// Letting waiting messages run from a timer's work while a menu is open leaves the menu its keys.
#include "base/win32/pending_messages.h"

#include <gtest/gtest.h>

#include "base/win32/unique_handle.h"

namespace qv::win {
namespace {

void CALLBACK press_escape_and_run_messages(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    run_pending_messages();
}

void CALLBACK end_menu(HWND window, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(window, id);
    ::EndMenu();
}

TEST(PendingMessages, AnOpenMenuKeepsTheKeysThatCameMeanwhile) {
    UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(window);
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, 1, L"item");
    ::SetForegroundWindow(window.get());
    ::SetTimer(window.get(), 1, 200, &press_escape_and_run_messages);
    ::SetTimer(window.get(), 2, 5000, &end_menu);  // the Escape key was lost
    const DWORD started = ::GetTickCount();
    ::TrackPopupMenu(menu.get(), TPM_RETURNCMD, 10, 10, 0, window.get(), nullptr);
    EXPECT_LT(::GetTickCount() - started, 3000u) << "the menu did not get its Escape key";
    ::KillTimer(window.get(), 2);
}

} // namespace
} // namespace qv::win
