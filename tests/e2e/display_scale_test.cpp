// On a scaled display (the test e2e_hidpi: a Wine session at 192 pixels an inch, 200 %) the tray numbers
// are drawn at the shell's small-icon size in their metric's two colours, not a 16-pixel drawing
// stretched, and drawn again when the scale changes; the window and the settings dialog keep their size
// on screen (the about box too), and a skin is enlarged by the whole factor. Pictures of the window, its
// menu and the dialog are left in the scenario's folder for a person to look at.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/app_info.h"
#include "settings/win32/settings_dialog_pages.h"
#include "base/win32/unique_handle.h"
#include "support/win32/app_test.h"
#include "support/win32/bitmap_file.h"
#include "support/win32/files.h"
#include "support/win32/screen_capture.h"
#include "support/win32/tray_area.h"
#include "support/win32/window_children.h"

namespace qv::test {
namespace {

// The scale the session runs at (QV_WINE_DPI), 0 when it is not a scaled one.
int session_dpi() {
    const char* dpi = std::getenv("QV_WINE_DPI");
    const int value = dpi ? std::atoi(dpi) : 0;
    return value > 96 ? value : 0;
}

// Whether the icon looks like a 16-pixel picture enlarged by `factor`: every factor x factor block of one colour.
bool is_enlarged(const IconPixels& icon, int size, int factor) {
    for (int y = 0; y < size; y += factor) {
        for (int x = 0; x < size; x += factor) {
            const COLORREF corner = icon.pixels[static_cast<size_t>(y * size + x)];
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    if (icon.pixels[static_cast<size_t>((y + dy) * size + x + dx)] != corner) return false;
                }
            }
        }
    }
    return true;
}

class HighDpi : public AppTest {
protected:
    static void save_picture(const RECT& area, const wchar_t* name) {
        ScreenCapture::take(area).save_bmp(artifacts_root() / L"display-scale" / name);
    }
};

TEST_F(HighDpi, TrayNumbersWindowAndDialogAtTheDisplayScale) {
    const int dpi = session_dpi();
    if (!dpi) GTEST_SKIP() << "for a scaled display (the test e2e_hidpi)";
    // The test sees the screen's real pixels, as the program does (a call the headers of older targets lack).
    using SetAwareFn = BOOL(WINAPI*)();
    const auto set_aware = reinterpret_cast<SetAwareFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")));
    ASSERT_TRUE(set_aware && set_aware());
    const int icon_size = ::GetSystemMetrics(SM_CXSMICON);
    ASSERT_EQ(icon_size, ::MulDiv(16, dpi, 96)) << "the session is not scaled";

    const bool tray_readable = tray_host().readable;
    AppDriver& app = launch("[Window]\r\nIconMenu=4\r\nAIcons=5000\r\nTasktray=0\r\n");
    ASSERT_TRUE(app.wait_ready());

    // The window: the default design at the display's scale.
    const auto window = app.state();
    ASSERT_TRUE(window && window->visible);
    EXPECT_NEAR(window->client.right - window->client.left, ::MulDiv(app::kClientWidth, dpi, 96), 2);
    EXPECT_NEAR(window->client.bottom - window->client.top, ::MulDiv(app::kClientHeight, dpi, 96), 2);

    if (tray_readable) {
        TrayArea tray;
        const bool numbers = wait_until(
            [&] {
                tray = TrayArea::take();
                return tray.icon_count() == 2 && shows_number(tray.icon(0)) && shows_number(tray.icon(1));
            },
            10s);
        tray.picture().save_bmp(artifacts_root() / L"display-scale" / L"tray.bmp");
        ASSERT_TRUE(numbers) << "the main icon and the memory icon show no numbers";
        for (int i = 0; i < 2; ++i) {
            const IconPixels icon = tray.icon(i);
            ASSERT_EQ(icon.pixels.size(), static_cast<size_t>(icon_size * icon_size));
            // White on blue, the default colours of both metrics, and nothing in between.
            EXPECT_EQ(icon.count(RGB(255, 255, 255)) + icon.count(kNumberBlue), icon.pixels.size()) << "icon " << i;
            if (dpi % 96 == 0) {
                EXPECT_FALSE(is_enlarged(icon, icon_size, dpi / 96)) << "icon " << i << " is stretched";
            }
        }
        if (dpi % 96 == 0) {
            // Moved to a monitor of 100 % (WM_DPICHANGED), the numbers are drawn at 16 pixels, which this
            // tray enlarges; a change of the display (WM_DISPLAYCHANGE) brings them back to its size.
            const int factor = dpi / 96;
            auto both_enlarged = [&](bool enlarged) {
                return wait_until(
                    [&] {
                        const TrayArea now = TrayArea::take();
                        return now.icon_count() == 2 && is_enlarged(now.icon(0), icon_size, factor) == enlarged &&
                               is_enlarged(now.icon(1), icon_size, factor) == enlarged;
                    },
                    10s);
            };
            ASSERT_TRUE(app.post(0x02E0, MAKEWPARAM(96, 96)));
            EXPECT_TRUE(both_enlarged(true)) << "the icons were not drawn again for 100 %";
            ASSERT_TRUE(app.post(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800)));
            EXPECT_TRUE(both_enlarged(false)) << "the icons were not drawn again at the shell's size";
        }
    }

    ::Sleep(1000);  // the figures painted
    save_picture(window->rect, L"window.bmp");

    // The window's menu, drawn by the system at the display's scale.
    app.post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app.window()), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND menu = nullptr;
    if (wait_until([&] { return (menu = find_window(app.process_id(), L"#32768")) && ::IsWindowVisible(menu); }, 5s)) {
        ::Sleep(300);
        RECT area{};
        ::GetWindowRect(menu, &area);
        save_picture(area, L"menu.bmp");
    }
    // The menu's loop takes the key from the program's queue once it runs.
    for (int i = 0; i < 3 && menu_open(app.process_id()); ++i) {
        app.post(WM_KEYDOWN, VK_ESCAPE, 0);
        wait_until([&] { return !menu_open(app.process_id()); }, 2s);
    }
    EXPECT_FALSE(menu_open(app.process_id()));

    // The settings dialog keeps its size on screen.
    ASSERT_TRUE(app.post_command(app::MenuId::Nset));
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] { return (dialog = find_dialog(app.process_id(), L"設定")) != nullptr; }, 10s));
    ::Sleep(500);
    RECT client{}, frame{};
    ::GetClientRect(dialog, &client);
    ::GetWindowRect(dialog, &frame);
    save_picture(frame, L"settings.bmp");
    EXPECT_NEAR(client.right, ::MulDiv(374, dpi, 96), 2);
    EXPECT_NEAR(client.bottom, ::MulDiv(359, dpi, 96), 2);
    // The design page, with its miniature of the window (the tab control tells the dialog of the change).
    for (const Child& child : children_of(dialog)) {
        DWORD_PTR reply = 0;
        if (child.class_name == WC_TABCONTROLW &&
            ::SendMessageTimeoutW(child.window, TCM_SETCURFOCUS, 3, 0, SMTO_ABORTIFHUNG, 5000, &reply)) {
            ::Sleep(500);
            save_picture(frame, L"settings-design.bmp");
        }
    }
    for (const Child& child : children_of(dialog)) {
        if (::GetDlgCtrlID(child.window) == settings::win32::kButton2Id) ::PostMessageW(child.window, BM_CLICK, 0, 0);
    }
    EXPECT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"設定") == nullptr; }, 10s));

    // So does the about box.
    ASSERT_TRUE(app.post_command(app::MenuId::About1));
    HWND about = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = find_dialog(app.process_id(), L"バージョン情報")) != nullptr; }, 10s));
    ::Sleep(500);
    ::GetClientRect(about, &client);
    ::GetWindowRect(about, &frame);
    save_picture(frame, L"about.bmp");
    EXPECT_NEAR(client.right, ::MulDiv(280, dpi, 96), 2);
    EXPECT_NEAR(client.bottom, ::MulDiv(142, dpi, 96), 2);
    ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"バージョン情報") == nullptr; }, 10s));
    app.end();

    // A skin keeps its pictures' pixels: enlarged by the whole factor (2 at 200 %), its shape with it.
    AppDriver& skinned = prepare();
    const auto folder = skinned.folder() / "skin" / "Corner";
    std::filesystem::create_directories(folder);
    constexpr COLORREF kKey = RGB(255, 0, 255);
    write_file(folder / "back.bmp", bitmap_file(60, 40, [](int x, int y) {
                   return x >= 50 && y >= 30 ? kKey : RGB(0, 96, 0);
               }));
    write_file(folder / "corner.qvs", "[BackImage]\r\nImage=back.bmp\r\nTransParentColor=#FF00FF\r\n"
                                      "[Gauge]\r\nMem.Position=5,5,45,15\r\nMem.ForeColor=#00FF00\r\n");
    write_file(skinned.ini_path(), "[Window]\r\nTasktray=0\r\n[Design]\r\nSkinFileName=" +
                                       (folder / "corner.qvs").string() + "\r\n");
    skinned.start();
    ASSERT_TRUE(skinned.wait_ready());
    const int factor = std::max(1, dpi / 96);
    const RECT frame_of_skin = skinned.state()->rect;
    EXPECT_EQ(frame_of_skin.right - frame_of_skin.left, 60 * factor + 2);
    EXPECT_EQ(frame_of_skin.bottom - frame_of_skin.top, 40 * factor + 2);
    win::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(skinned.window(), shape.get()), ERROR) << "the skinned window has no shape";
    EXPECT_TRUE(::PtInRegion(shape.get(), 20 * factor, 20 * factor));
    EXPECT_FALSE(::PtInRegion(shape.get(), 56 * factor, 36 * factor)) << "the see-through corner is part of the window";
    ::Sleep(1000);
    save_picture(frame_of_skin, L"skin.bmp");
    if (!tray_readable) GTEST_SKIP() << kNoReadableTray;
}

} // namespace
} // namespace qv::test
