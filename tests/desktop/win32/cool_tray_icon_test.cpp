// The tray icon component on its own: the image it keeps, what it asks of the shell when the
// notification area comes back after a shell restart, and what runs before its menu opens.
#include "desktop/win32/cool_tray_icon.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <functional>

#include "support/win32/app_driver.h"
#include "support/win32/tray_area.h"

namespace qv::desktop {
namespace {

// The component's hidden window, which the shell talks to (one icon at a time in these tests).
HWND icon_window() { return test::find_window(::GetCurrentProcessId(), L"TCoolTrayIconWindow"); }

// Whether the shell holds the window's icon now: it accepts an update only for an icon it holds.
bool in_tray(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void shell_restarted(HWND window) { ::SendMessageW(window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0); }

TEST(CoolTrayIcon, AnIconThatCouldNotBeMadeLeavesTheShownOne) {
    TCoolTrayIcon icon(nullptr);
    icon.SetIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    const HICON shown = icon.Icon();
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(icon.SetIcon(win::UniqueIcon()));
    EXPECT_EQ(icon.Icon(), shown);
}

// After a shell restart the icon comes back exactly when it was shown last, whether IconVisible or
// DesignPreview showed or hid it.
TEST(CoolTrayIcon, ComesBackAfterAShellRestartOnlyWhenShown) {
    if (!test::tray_host().takes_icons) GTEST_SKIP() << "the shell takes no icon of the test's own";
    TCoolTrayIcon icon(nullptr);
    icon.SetIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    icon.Loaded();
    const HWND window = icon_window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(in_tray(window)) << "the shown icon is not in the notification area";

    icon.SetDesignPreview(false);
    ASSERT_TRUE(icon.IconVisible());
    shell_restarted(window);
    EXPECT_FALSE(in_tray(window)) << "the icon hidden by DesignPreview came back";

    icon.SetDesignPreview(true);
    NOTIFYICONDATAW lost{};
    lost.cbSize = NOTIFYICONDATAW_V1_SIZE;
    lost.hWnd = window;
    lost.uID = 1;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &lost));  // what the restarted shell has forgotten
    shell_restarted(window);
    EXPECT_TRUE(in_tray(window)) << "the icon shown by DesignPreview did not come back";
}

struct TestMenu final : TrayMenu {
    std::function<void()> on_popup;
    int opened = 0;
    void Popup(int, int) override {
        ++opened;
        if (on_popup) on_popup();
    }
};

// Messages already waiting run before the menu opens, so that it shows the state they leave; one that
// takes the menu away keeps it shut.
TEST(CoolTrayIcon, WaitingMessagesRunBeforeTheMenuOpens) {
    TCoolTrayIcon icon(nullptr);
    TestMenu menu;
    icon.PopupMenu = &menu;
    bool pressed = false, pressed_before_opening = false;
    icon.OnMouseDown = [&](TCoolTrayIcon&, MouseButton, unsigned, int, int) { pressed = true; };
    menu.on_popup = [&] { pressed_before_opening = pressed; };
    ASSERT_TRUE(::PostMessageW(icon_window(), TrayCallbackMessage, 0, WM_MBUTTONDOWN));
    icon.PopupAtCursor();
    EXPECT_EQ(menu.opened, 1);
    EXPECT_TRUE(pressed_before_opening);

    icon.OnMouseDown = [&](TCoolTrayIcon& sender, MouseButton, unsigned, int, int) { sender.PopupMenu = nullptr; };
    ASSERT_TRUE(::PostMessageW(icon_window(), TrayCallbackMessage, 0, WM_MBUTTONDOWN));
    icon.PopupAtCursor();
    EXPECT_EQ(menu.opened, 1);
}

} // namespace
} // namespace qv::desktop
