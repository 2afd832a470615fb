// The settings dialog from the menu, seen from outside: the global hotkeys are free while it is open
// (so its hotkey fields can take them), what it leaves in the settings is in force at once whichever
// way it closed, and on a Western system (code page 1252) OK saves what the code page cannot hold.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "settings/win32/settings_dialog_pages.h"
#include "support/win32/app_test.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/message_box.h"
#include "support/win32/process_resources.h"
#include "support/win32/screen_capture.h"
#include "support/win32/window_children.h"

namespace qv::test {
namespace {

using app::MenuId;
using namespace settings::win32;  // the dialog's control identifiers

// Opens the dialog with the menu command; null when it does not come.
HWND open_settings(const AppDriver& app) {
    HWND dialog = nullptr;
    if (!app.post_command(MenuId::Nset)) return nullptr;
    wait_until([&] { return (dialog = find_dialog(app.process_id(), L"設定")) != nullptr; }, 10s);
    return dialog;
}

HWND control(HWND dialog, int id) {
    for (const Child& child : children_of(dialog)) {
        if (::GetDlgCtrlID(child.window) == id) return child.window;
    }
    return nullptr;
}

bool set_text(HWND window, const std::wstring& text) {
    DWORD_PTR reply = 0;
    return window && ::SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                           SMTO_ABORTIFHUNG, 5000, &reply);
}

// Clicks OK or キャンセル; true once the dialog has gone.
bool close_with(const AppDriver& app, HWND dialog, int button) {
    return ::PostMessageW(control(dialog, button), BM_CLICK, 0, 0) &&
           wait_until([&] { return find_dialog(app.process_id(), L"設定") == nullptr; }, 10s);
}

HWND shown_popup_menu(const AppDriver& app, HWND other_than = nullptr) {
    for (HWND menu : find_windows(app.process_id(), L"#32768")) {
        if (menu != other_than && ::IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

// The window menu's "メモリの最適化" submenu as drawn (its last item names the configured amount),
// opened with the keyboard and closed again. Empty when it did not open.
std::vector<COLORREF> optimize_submenu_picture(const AppDriver& app) {
    std::vector<COLORREF> picture;
    app.post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app.window()), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND top = nullptr, submenu = nullptr;
    if (wait_until([&] { return (top = shown_popup_menu(app)) != nullptr; }, 5s)) {
        // The menu's own loop takes the keys from the thread's queue.
        app.post(WM_KEYDOWN, VK_DOWN, 0);
        app.post(WM_KEYDOWN, VK_RIGHT, 0);
        if (wait_until([&] { return (submenu = shown_popup_menu(app, top)) != nullptr; }, 5s)) {
            ::Sleep(300);
            RECT frame{};
            ::GetWindowRect(submenu, &frame);
            picture = ScreenCapture::take(frame).pixels(frame);
        }
    }
    for (int i = 0; i < 2 && menu_open(app.process_id()); ++i) {
        app.post(WM_KEYDOWN, VK_ESCAPE, 0);
        wait_until([&] { return !shown_popup_menu(app, submenu); }, 2s);
    }
    wait_until([&] { return !menu_open(app.process_id()); }, 5s);
    return picture;
}

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
    // The Japanese font names OK wrote are in the system's code page, as every Windows reads the file.
    EXPECT_NE(app.ini_bytes().value_or("").find("TitleFont_FontName=" + shift_jis(L"ＭＳ Ｐゴシック") + "\r\n"),
              std::string::npos)
        << app.ini().text();
    EXPECT_FALSE(ctrl_alt_w_free()) << "the hotkeys were not registered again";
    EXPECT_TRUE(::IsWindowEnabled(app.window()));
}

// Periodic runs every minute are on: closing the dialog either way starts their minute afresh. A skin
// chosen in the dialog is in force at once; clearing it brings the default design back with the
// picture chosen; and the menus name the new configured amount as a fresh start does.
TEST_F(SettingsDialog, WhatItLeavesIsInForceWhicheverWayItCloses) {
    if (!long_scenarios_run_here()) GTEST_SKIP() << "a minute of waiting: it runs as the test e2e_long";
    AppDriver& app = prepare();
    const auto skin = app.folder() / "skin" / "Plain" / "plain.qvs";
    std::filesystem::create_directories(skin.parent_path());
    write_file(skin.parent_path() / "back.bmp", solid_bitmap(120, 80, RGB(0x20, 0x30, 0x60)));
    write_file(skin, "[BackImage]\r\nImage=back.bmp\r\n");
    constexpr COLORREF kPicture = RGB(0x30, 0xA0, 0x50);
    const auto picture = app.folder() / "picture.bmp";
    write_file(picture, solid_bitmap(60, 40, kPicture));
    write_file(app.ini_path(), "[Clean]\r\nCleanValue=100\r\nACChk=1\r\nACTChk=1\r\nAutoCleanTime=1\r\nAutoCleanCPU=1000\r\n");
    app.start();
    ASSERT_TRUE(app.wait_ready());
    const auto started = std::chrono::steady_clock::now();
    const auto menu_before = optimize_submenu_picture(app);
    ASSERT_FALSE(menu_before.empty()) << "the submenu did not open";

    // Cancel a while after the start: the run comes a full minute after it, not a minute after the start.
    auto peak = [&] { return process_memory(app.process()).value_or(ProcessMemory{}).peak_working_set; };
    std::this_thread::sleep_until(started + 15s);
    const std::uint64_t peak_before = peak();
    HWND dialog = open_settings(app);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(close_with(app, dialog, kButton2Id));
    const auto closed = std::chrono::steady_clock::now();
    ASSERT_TRUE(wait_until([&] { return peak() > peak_before + (70ull << 20); }, 80s, 250ms)) << "no periodic run";
    const double run_after = std::chrono::duration<double>(std::chrono::steady_clock::now() - closed).count();
    EXPECT_GE(run_after, 55.0) << "the run kept the interval that started with the program";
    EXPECT_LE(run_after, 70.0);

    // OK with a skin and another amount (automatic runs off).
    dialog = open_settings(app);
    ASSERT_TRUE(dialog);
    DWORD_PTR reply = 0;
    ::SendMessageTimeoutW(control(dialog, kACChkId), BM_SETCHECK, BST_UNCHECKED, 0, SMTO_ABORTIFHUNG, 5000, &reply);
    ASSERT_TRUE(set_text(::GetWindow(control(dialog, kEdit1Id), GW_CHILD), L"1000"));
    ASSERT_TRUE(set_text(control(dialog, kEdit3Id), skin.wstring()));
    ASSERT_TRUE(close_with(app, dialog, kButton1Id));
    auto size_is = [&](int width, int height) {
        auto state = app.state();
        return state && state->rect.right - state->rect.left == width && state->rect.bottom - state->rect.top == height;
    };
    EXPECT_TRUE(wait_until([&] { return size_is(122, 82); }, 10s)) << "the skin was not loaded";
    const auto menu_after = optimize_submenu_picture(app);
    ASSERT_FALSE(menu_after.empty()) << "the submenu did not open after OK";
    EXPECT_NE(menu_after, menu_before) << "the configured amount's items kept their captions";

    // The skin cleared and a picture chosen: the default design, with the picture centred.
    dialog = open_settings(app);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(set_text(control(dialog, kEdit3Id), L""));
    ASSERT_TRUE(set_text(control(dialog, kBFId), picture.wstring()));
    ASSERT_TRUE(close_with(app, dialog, kButton1Id));
    EXPECT_TRUE(wait_until([&] { return size_is(223, 110); }, 10s)) << "the default design did not return";
    EXPECT_TRUE(wait_until(
        [&] {
            const RECT client = app.state().value_or(WindowState{}).client;
            const RECT gap{client.left + 106, client.top + 40, client.left + 116, client.top + 70};
            return ScreenCapture::take(gap).count_pixels(gap, kPicture) == 300u;
        },
        10s))
        << "the picture is not shown";

    // A fresh start with what was written shows the same items.
    app.end();
    app.start();
    ASSERT_TRUE(app.wait_ready());
    const auto menu_restarted = optimize_submenu_picture(app);
    ASSERT_FALSE(menu_restarted.empty()) << "the submenu did not open after the restart";
    EXPECT_EQ(menu_restarted, menu_after);
}

// A Western system's code page has no form for the program's own Japanese font names: the first OK of
// a new user, and an OK over a file holding lines of the user's own in Shift-JIS, still save
// everything, and those lines read as before.
TEST_F(SettingsDialog, WesternSystemSavesWhatItsCodePageCannotHold) {
    if (::GetACP() != 1252) GTEST_SKIP() << "for code page 1252 (the test e2e_western)";
    const std::string user_lines = "; \x95\\\x8E\xA6\r\n[\x83\\\x83t\x83g]\r\nkey=\x94\\\r\n";
    auto ansi = [](const std::string& bytes) { return IniText::from_ansi(bytes).text(); };
    for (bool user_file : {false, true}) {
        AppDriver& app = user_file ? launch(user_lines) : launch();
        ASSERT_TRUE(app.wait_ready());
        for (int ok = 0; ok < 2; ++ok) {
            HWND dialog = open_settings(app);
            ASSERT_TRUE(dialog);
            ASSERT_TRUE(close_with(app, dialog, kButton1Id)) << "OK failed, user file " << user_file;
        }
        EXPECT_FALSE(wait_message_box(app.process_id(), L"Quorvane", 500ms));
        auto system_read = [&](const std::wstring& section, const std::wstring& key) {
            wchar_t value[256]{};
            ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"(none)", value, 256, app.ini_path().c_str());
            return std::wstring(value);
        };
        EXPECT_EQ(system_read(L"Design", L"TitleFont_FontName"), L"ＭＳ Ｐゴシック");
        EXPECT_EQ(system_read(L"Design", L"IBC4"), L"clBlue");
        if (user_file) {
            EXPECT_EQ(system_read(ansi("\x83\\\x83t\x83g"), L"key"), ansi("\x94\\"));
            EXPECT_NE(app.ini().text().find(ansi("; \x95\\\x8E\xA6\r\n")), std::wstring::npos);
        }
        app.end();
    }
}

} // namespace
} // namespace qv::test
