// The about dialog opened from the menu: its caption, version text, links and size; the main tray icon
// neither toggles the window nor opens its menu meanwhile, and has both back once OK closed the dialog.
// The help pages the program opens lie beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "app/app_info.h"
#include "support/win32/app_test.h"
#include "support/win32/window_children.h"
#include "support/win32/files.h"
#include "support/win32/screen_capture.h"
#include "support/win32/tray_area.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;
using app::MenuId;

constexpr UINT kTrayCallback = WM_USER + 0x400;  // the shell's notifications to a tray icon

// The shown about dialog of the process.
HWND find_about_dialog(DWORD process_id) { return find_dialog(process_id, L"バージョン情報"); }

// Pixels of the rectangle close to pure blue, as the links' text is drawn.
size_t bluish_pixels(const ScreenCapture& shot, const RECT& area) {
    size_t count = 0;
    for (COLORREF c : shot.pixels(area)) {
        if (c != CLR_INVALID && GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100) ++count;
    }
    return count;
}

class AboutDialog : public AppTest {};

TEST_F(AboutDialog, OpensFromTheMenuAndGivesTheTrayIconBackWhenClosed) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    const std::vector<HWND> icons = find_windows(app.process_id(), L"TCoolTrayIconWindow");
    ASSERT_EQ(icons.size(), 1u) << "the main tray icon's window";
    const HWND tray_icon = icons.front();
    auto window_visible = [&] { return app.state() && app.state()->visible; };
    ASSERT_TRUE(window_visible());

    // The pointer away from the dialog: the links show their default look.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_TRUE(app.post_command(MenuId::About1));
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] { return (dialog = find_about_dialog(app.process_id())) != nullptr; }, 10s))
        << "no about dialog";
    const auto state = window_state(dialog);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->client.right - state->client.left, 280);
    EXPECT_EQ(state->client.bottom - state->client.top, 142);
    EXPECT_EQ(state->style & WS_THICKFRAME, 0) << "the dialog can be resized";

    const std::vector<Child> children = children_of(dialog);
    EXPECT_TRUE(child_with_text(children, L"Quorvane Ver 0.81")) << "no version text";
    const Child* home = child_with_text(children, L"https://quorvane.app/");
    const Child* mail = child_with_text(children, L"support@quorvane.app");
    const Child* ok = child_with_text(children, L"OK");
    ASSERT_TRUE(home && mail && ok);
    EXPECT_EQ(home->class_name, L"TLightLabel");
    EXPECT_EQ(mail->class_name, L"TLightLabel");

    // The links are drawn in their default look: blue text.
    RECT home_rect{};
    ::GetWindowRect(home->window, &home_rect);
    EXPECT_TRUE(wait_until([&] { return bluish_pixels(ScreenCapture::take(), home_rect) > 20; }, 3s))
        << "the home-page link shows no blue text";
    ScreenCapture::take().save_bmp(artifacts_folder() / L"about-dialog.bmp");

    // Meanwhile the main tray icon neither toggles the window nor opens its menu.
    ASSERT_TRUE(click_tray_icon(tray_icon));
    EXPECT_TRUE(window_visible()) << "a click on the tray icon hid the window while the dialog was open";
    ASSERT_TRUE(send_tray_mouse(tray_icon, WM_RBUTTONDOWN)) << "the tray icon opened its menu";
    EXPECT_FALSE(menu_open(app.process_id()));

    ASSERT_TRUE(::PostMessageW(ok->window, BM_CLICK, 0, 0));
    ASSERT_TRUE(wait_until([&] { return !::IsWindow(dialog); }, 5s)) << "OK did not close the dialog";

    // Back to normal: a click toggles the window and the right button opens the menu.
    ASSERT_TRUE(click_tray_icon(tray_icon));
    EXPECT_TRUE(wait_until([&] { return !window_visible(); }, 3s)) << "the tray icon's click did not come back";
    // Posted: the menu's loop runs inside the handler.
    ASSERT_TRUE(::PostMessageW(tray_icon, kTrayCallback, 0, WM_RBUTTONDOWN));
    EXPECT_TRUE(wait_until([&] { return menu_open(app.process_id()); }, 5s))
        << "the tray icon's menu did not come back";
    // The menu's own loop takes the key from the thread's queue and closes.
    ::PostMessageW(app.window(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(wait_until([&] { return !menu_open(app.process_id()); }, 5s));
}

// Every help page the program opens is there, says it is UTF-8, and links only to pages that exist.
TEST(HelpPages, LieBesideTheProgramAndLinkToEachOther) {
    const char* exe = std::getenv("QV_EXE");
    ASSERT_TRUE(exe) << "QV_EXE is not set";
    const fs::path folder = fs::path(exe).parent_path() / app::kHelpFolder;
    for (const wchar_t* page : {app::kHelpContentsPage, app::kSettingsHelpPage, app::kWindowHelpPage}) {
        EXPECT_TRUE(fs::exists(folder / page)) << fs::path(page).string() << " is missing";
    }
    const std::regex local_link(R"(href="([^":#]+)(#[^"]*)?")");
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        const std::string text = read_file(entry.path()).value_or(std::string());
        const std::string name = entry.path().filename().string();
        EXPECT_NE(text.find(R"(<meta charset="utf-8">)"), std::string::npos) << name;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), local_link); it != std::sregex_iterator(); ++it) {
            EXPECT_TRUE(fs::exists(folder / (*it)[1].str())) << name << " links to the missing " << (*it)[1].str();
        }
    }
}

}  // namespace
}  // namespace qv::test
