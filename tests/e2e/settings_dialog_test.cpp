// The settings dialog from the menu, seen from outside: the global hotkeys are free while it is open
// (so its hotkey fields can take them), and what OK wrote is in force at once.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/win32/app_test.h"
#include "support/win32/window_children.h"

namespace qv::test {
namespace {

using app::MenuId;

bool ctrl_alt_w_free() {
    constexpr int kTestId = 0x7002;
    if (!::RegisterHotKey(nullptr, kTestId, MOD_CONTROL | MOD_ALT, 'W')) return false;
    ::UnregisterHotKey(nullptr, kTestId);
    return true;
}

class SettingsDialog : public AppTest {};

TEST_F(SettingsDialog, HotkeysAreFreeWhileItIsOpenAndOkAppliesWhatItWrote) {
    AppDriver& app = launch("[Hotkey]\r\nHotkeyWindow=Ctrl+Alt+W\r\n[Window]\r\nTopMost=0\r\n");
    ASSERT_TRUE(app.wait_ready());
    ASSERT_FALSE(ctrl_alt_w_free());

    ASSERT_TRUE(app.post_command(MenuId::Nset));
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] { return (dialog = find_dialog(app.process_id(), L"設定")) != nullptr; }, 10s));
    EXPECT_TRUE(ctrl_alt_w_free()) << "the hotkeys stay registered while the dialog is open";
    EXPECT_FALSE(::IsWindowEnabled(app.window())) << "the dialog is not modal";

    const auto children = children_of(dialog);
    const Child* on_top = child_with_text(children, L"常にトップに表示する");
    const Child* ok = child_with_text(children, L"OK");
    ASSERT_TRUE(on_top && ok);
    DWORD_PTR reply = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(on_top->window, BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG, 5000, &reply));
    ASSERT_TRUE(::PostMessageW(ok->window, BM_CLICK, 0, 0));
    ASSERT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"設定") == nullptr; }, 10s));

    ASSERT_TRUE(wait_until([&] { return app.state() && (app.state()->ex_style & WS_EX_TOPMOST); }, 5s))
        << "TopMost was written but not applied";
    EXPECT_EQ(app.ini().value(L"Window", L"TopMost").value_or(L""), L"1");
    EXPECT_FALSE(ctrl_alt_w_free()) << "the hotkeys were not registered again";
    EXPECT_TRUE(::IsWindowEnabled(app.window()));
}

} // namespace
} // namespace qv::test
