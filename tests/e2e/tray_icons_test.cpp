// The tray icons as the notification area shows them: the main icon's metric, the four indicator icons
// with their AIcons digits across a restart, the refused fifth icon, the kind menus with their check
// marks, and removing an icon (a lower slot is parked for reuse, the highest one is freed).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/win32/app_test.h"
#include "support/win32/message_box.h"
#include "support/win32/screen_capture.h"
#include "support/win32/tray_area.h"

namespace qv::test {
namespace {

using app::MenuId;

constexpr const wchar_t* kIconWindowClass = L"TCoolTrayIconWindow";

class TrayIcons : public AppTest {
protected:
    // Waits until the tray shows `count` icons; the last picture taken. When that does not come, the
    // picture is left in the scenario's diagnostics (the one at the end of a failed scenario comes later).
    TrayArea wait_for_icons(int count, Millis timeout = 5s) {
        TrayArea tray;
        if (!wait_until(
                [&] {
                    tray = TrayArea::take();
                    return tray.icon_count() == count;
                },
                timeout)) {
            tray.picture().save_bmp(artifacts_folder() / (L"tray-" + std::to_wstring(++tray_pictures_) + L".bmp"));
        }
        return tray;
    }

    static std::wstring aicons(const AppDriver& app) {
        return app.ini().value(L"Window", L"AIcons").value_or(L"(none)");
    }

    // Opens the icon's menu as a press of the right button does; false when no menu came.
    static bool open_menu(const AppDriver& app, HWND icon_window) {
        // Posted: the menu's loop runs inside the handler.
        return ::PostMessageW(icon_window, WM_USER + 0x400, 1, WM_RBUTTONDOWN) &&
               wait_until([&] { return menu_open(app.process_id()); }, 5s);
    }
    // Keys for the open menu: its loop takes them from the program's queue.
    static void menu_key(const AppDriver& app, WPARAM key) { ::PostMessageW(app.window(), WM_KEYDOWN, key, 0); }
    static bool close_menu(const AppDriver& app) {
        menu_key(app, VK_ESCAPE);
        return wait_until([&] { return !menu_open(app.process_id()); }, 5s);
    }
    // Chooses item `row` (counted from the top, separators not counted) of the open menu by the keys.
    static bool choose_from_menu(const AppDriver& app, int row) {
        for (int i = 0; i <= row; ++i) menu_key(app, VK_DOWN);
        menu_key(app, VK_RETURN);
        return wait_until([&] { return !menu_open(app.process_id()); }, 5s);
    }

    // The rows of the open menu that carry a check mark, read from its picture: every item's text is a
    // band of dark pixels, and a check mark is the only dark ink left of where the texts begin. Rows are
    // counted from the top; separators and greyed items are no rows.
    std::vector<int> checked_rows(const AppDriver& app) {
        HWND menu = nullptr;
        for (HWND window : find_windows(app.process_id(), L"#32768")) {
            if (::IsWindowVisible(window)) menu = window;
        }
        RECT area{};
        if (!menu || !::GetWindowRect(menu, &area)) return {-1};
        ::Sleep(200);  // drawn
        const ScreenCapture picture = ScreenCapture::take(area);
        auto ink = [&](int x, int y) {
            const COLORREF c = picture.pixel(x, y);
            return c != CLR_INVALID && GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96;
        };
        // Lines of one text lie a few pixels apart at most (a kana's strokes); items lie further apart.
        constexpr int kLineGap = 5;
        std::vector<int> band_left;  // the leftmost ink of each band
        int last_ink = area.top - kLineGap - 1;
        for (int y = area.top; y < area.bottom; ++y) {
            int left = -1;
            for (int x = area.left + 2; x < area.right - 2 && left < 0; ++x) {
                if (ink(x, y)) left = x;
            }
            if (left < 0) continue;
            if (y - last_ink > kLineGap) band_left.push_back(left);
            band_left.back() = std::min(band_left.back(), left);
            last_ink = y;
        }
        std::vector<int> sorted = band_left;
        std::sort(sorted.begin(), sorted.end());
        const int text_left = sorted.empty() ? 0 : sorted[sorted.size() / 2];
        std::vector<int> rows;
        for (size_t i = 0; i < band_left.size(); ++i) {
            if (band_left[i] < text_left - 6) rows.push_back(static_cast<int>(i));
        }
        if (rows.size() != 1) {
            picture.save_bmp(artifacts_folder() / (L"menu-" + std::to_wstring(++menu_pictures_) + L".bmp"));
        }
        return rows;
    }

private:
    int tray_pictures_ = 0;
    int menu_pictures_ = 0;
};

TEST_F(TrayIcons, MainIconShowsTheChosenMetricOrTheProgramIcon) {
    if (!tray_host().readable) GTEST_SKIP() << kNoReadableTray;
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    TrayArea tray = wait_for_icons(1);
    ASSERT_EQ(tray.icon_count(), 1);
    const IconPixels program_icon = tray.icon(0);
    ASSERT_FALSE(shows_number(program_icon)) << "the program's own icon looks like a drawn number";

    ASSERT_TRUE(app.send_command(MenuId::Ncpu));
    EXPECT_EQ(app.ini().integer(L"Window", L"IconMenu"), 4) << "the choice was not written at once";
    EXPECT_TRUE(wait_until([] { return shows_number(TrayArea::take().icon(0)); }, 5s))
        << "the main icon shows no number after choosing CPU";

    ASSERT_TRUE(app.send_command(MenuId::Nnothing));
    EXPECT_EQ(app.ini().integer(L"Window", L"IconMenu"), 6);
    EXPECT_TRUE(wait_until([&] { return TrayArea::take().icon(0) == program_icon; }, 5s))
        << "choosing nothing did not put the program's icon back";
    EXPECT_EQ(TrayArea::take().icon_count(), 1);
}

// Four indicator icons, each written to AIcons as it is added, come back after a restart; a fifth is
// refused with a warning and changes nothing.
TEST_F(TrayIcons, IndicatorIconsComeBackAfterARestartAndAFifthIsRefused) {
    if (!tray_host().readable) GTEST_SKIP() << kNoReadableTray;
    AppDriver& app = launch("[Window]\r\nIconMenu=4\r\n");
    ASSERT_TRUE(app.wait_ready());

    const std::array<std::pair<MenuId, const wchar_t*>, 4> adds = {{{MenuId::NAddSys, L"1000"},
                                                                    {MenuId::NAddUser, L"1200"},
                                                                    {MenuId::NAddGDI, L"1230"},
                                                                    {MenuId::NAddCPU, L"1234"}}};
    for (const auto& [command, expected] : adds) {
        ASSERT_TRUE(app.send_command(command));
        EXPECT_EQ(aicons(app), expected);
    }
    // The main icon first, then the four indicators in the order they were added, each with its number.
    auto five_numbers = [] {
        const TrayArea tray = TrayArea::take();
        if (tray.icon_count() != 5) return false;
        for (int i = 0; i < 5; ++i) {
            if (!shows_number(tray.icon(i))) return false;
        }
        return true;
    };
    EXPECT_TRUE(wait_until(five_numbers, 5s))
        << "expected five icons with numbers; the tray shows " << TrayArea::take().icon_count() << " icons";
    EXPECT_EQ(find_windows(app.process_id(), kIconWindowClass).size(), 5u);

    ASSERT_TRUE(app.post_command(MenuId::Exit1));
    ASSERT_TRUE(app.wait_exit());
    EXPECT_EQ(wait_for_icons(0).icon_count(), 0) << "icons stayed in the tray after the program ended";

    app.start();
    ASSERT_TRUE(app.wait_ready());
    EXPECT_TRUE(wait_until(five_numbers, 5s))
        << "after the restart the tray shows " << TrayArea::take().icon_count() << " icons";
    EXPECT_EQ(aicons(app), L"1234");

    ASSERT_TRUE(app.post_command(MenuId::NAddMem));
    auto box = wait_message_box(app.process_id(), L"警告");
    ASSERT_TRUE(box) << "no warning box for the fifth icon";
    EXPECT_EQ(box->text, L"これ以上アイコンを増やせません");
    // The error icon: red, with as much blue as green (a warning's is orange or yellow, with little blue).
    auto reddish = [&] {
        const auto pixels = ScreenCapture::take(box->icon_rect).pixels(box->icon_rect);
        return std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
            return GetRValue(c) > 180 && GetGValue(c) < 110 && std::abs(GetGValue(c) - GetBValue(c)) < 20;
        });
    };
    EXPECT_TRUE(wait_until([&] { return reddish() > 50; }, 2s)) << "the box shows no error icon";
    ASSERT_TRUE(answer_message_box(box->window, IDOK));
    // The command has been handled to its end once the program answers again.
    ASSERT_EQ(app.send(WM_USER + 1, 1, 0), 80);
    EXPECT_EQ(aicons(app), L"1234");
    EXPECT_EQ(find_windows(app.process_id(), kIconWindowClass).size(), 5u);
    EXPECT_EQ(wait_for_icons(5).icon_count(), 5);
}

// Each menu checks the kind of its icon: the tray menu the main icon's, the indicator menu that of the
// icon it was opened on. A kind chosen there changes that icon alone and its digit in AIcons.
TEST_F(TrayIcons, KindMenusCheckTheIconsKindAndChangeIt) {
    ::SetCursorPos(600, 300);  // the menus open here, away from the window and the tray
    AppDriver& app = launch("[Window]\r\nIconMenu=4\r\n");
    ASSERT_TRUE(app.wait_ready());
    const std::vector<HWND> main = find_windows(app.process_id(), kIconWindowClass);
    ASSERT_EQ(main.size(), 1u);
    ASSERT_TRUE(open_menu(app, main[0]));
    EXPECT_EQ(checked_rows(app), std::vector<int>{3}) << "CPU is not checked in the tray menu";
    ASSERT_TRUE(close_menu(app));

    std::vector<HWND> slot;
    for (MenuId add : {MenuId::NAddSys, MenuId::NAddGDI}) {
        ASSERT_TRUE(app.send_command(add));
        for (HWND window : find_windows(app.process_id(), kIconWindowClass)) {
            if (window != main[0] && std::find(slot.begin(), slot.end(), window) == slot.end()) slot.push_back(window);
        }
    }
    ASSERT_EQ(slot.size(), 2u);
    EXPECT_EQ(aicons(app), L"1300");

    ASSERT_TRUE(open_menu(app, slot[1]));
    EXPECT_EQ(checked_rows(app), std::vector<int>{2}) << "GDI is not checked for the second icon";
    ASSERT_TRUE(close_menu(app));
    ASSERT_TRUE(open_menu(app, slot[0]));
    EXPECT_EQ(checked_rows(app), std::vector<int>{0}) << "System is not checked for the first icon";
    ASSERT_TRUE(choose_from_menu(app, 3)) << "choosing CPU did not close the menu";
    EXPECT_TRUE(wait_until([&] { return aicons(app) == L"4300"; }, 3s)) << "AIcons is " << aicons(app);

    ASSERT_TRUE(open_menu(app, slot[0]));
    EXPECT_EQ(checked_rows(app), std::vector<int>{3}) << "the chosen kind is not checked";
    ASSERT_TRUE(close_menu(app));
    ASSERT_TRUE(open_menu(app, slot[1]));
    EXPECT_EQ(checked_rows(app), std::vector<int>{2}) << "the other icon's kind changed too";
    ASSERT_TRUE(close_menu(app));
}

// The indicator menu acts on the icon pressed last. Removing an icon below a used slot parks it (hidden,
// deaf to the mouse, kept for the next add); removing the highest one frees it.
TEST_F(TrayIcons, RemovingParksALowerSlotForReuseAndFreesTheHighest) {
    if (!tray_host().readable) GTEST_SKIP() << kNoReadableTray;
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());

    // With no indicator icon, removing does nothing.
    ASSERT_TRUE(app.send_command(MenuId::NDel));
    EXPECT_EQ(app.ini().value(L"Window", L"AIcons").value_or(L"0000"), L"0000");

    // Each slot's icon is known by the hidden window that receives its notifications.
    std::vector<HWND> known = find_windows(app.process_id(), kIconWindowClass);
    ASSERT_EQ(known.size(), 1u) << "the main icon's window";
    std::array<HWND, 3> slot_window{};
    const std::array<MenuId, 3> adds = {MenuId::NAddSys, MenuId::NAddUser, MenuId::NAddGDI};
    for (size_t i = 0; i < adds.size(); ++i) {
        ASSERT_TRUE(app.send_command(adds[i]));
        for (HWND window : find_windows(app.process_id(), kIconWindowClass)) {
            if (std::find(known.begin(), known.end(), window) == known.end()) {
                ASSERT_EQ(slot_window[i], nullptr) << "more than one new icon for one add";
                slot_window[i] = window;
            }
        }
        ASSERT_NE(slot_window[i], nullptr) << "no new icon for add " << i + 1;
        known.push_back(slot_window[i]);
    }
    EXPECT_EQ(aicons(app), L"1230");
    EXPECT_EQ(wait_for_icons(4).icon_count(), 4);

    auto visible = [&] { return app.state() && app.state()->visible; };
    ASSERT_TRUE(visible());
    // Pressing slot 2's icon makes it the one the menu acts on; the click hides the window.
    ASSERT_TRUE(click_tray_icon(slot_window[1]));
    EXPECT_FALSE(visible()) << "a click on an indicator icon did not hide the window";
    ASSERT_TRUE(app.send_command(MenuId::NDel));
    EXPECT_EQ(aicons(app), L"1030");
    EXPECT_EQ(wait_for_icons(3).icon_count(), 3);
    EXPECT_TRUE(::IsWindow(slot_window[1])) << "slot 2 was freed instead of parked";
    ASSERT_TRUE(click_tray_icon(slot_window[1]));
    EXPECT_FALSE(visible()) << "the parked icon answered a click";

    // The next add takes the parked icon.
    ASSERT_TRUE(app.send_command(MenuId::NAddCPU));
    EXPECT_EQ(aicons(app), L"1430");
    EXPECT_EQ(find_windows(app.process_id(), kIconWindowClass).size(), 4u) << "a new icon instead of the parked one";
    EXPECT_EQ(wait_for_icons(4).icon_count(), 4);
    ASSERT_TRUE(click_tray_icon(slot_window[1]));
    EXPECT_TRUE(visible()) << "the reused icon does not answer a click";

    // Slot 3 is the highest in use: removed, its icon goes for good.
    ASSERT_TRUE(click_tray_icon(slot_window[2]));
    ASSERT_TRUE(app.send_command(MenuId::NDel));
    EXPECT_EQ(aicons(app), L"1400");
    EXPECT_FALSE(::IsWindow(slot_window[2])) << "the highest slot's icon was parked instead of freed";
    EXPECT_EQ(wait_for_icons(3).icon_count(), 3);
}

} // namespace
} // namespace qv::test
