// The tray icons as the notification area shows them: the main icon's metric, the four indicator icons
// with their AIcons digits across a restart, the refused fifth icon, and removing an icon (a lower slot
// is parked for reuse, the highest one is freed).
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

constexpr const char* kNoTray = "no \"Wine System Tray\" window is shown: the notification area cannot be read here";

class TrayIcons : public AppTest {
protected:
    // Whether the display has a Wine tray window to read (asked once the program is up).
    static bool tray_shown() {
        return wait_until([] { return TrayArea::take().shown(); }, 5s);
    }

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

private:
    int tray_pictures_ = 0;
};

TEST_F(TrayIcons, MainIconShowsTheChosenMetricOrTheProgramIcon) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    if (!tray_shown()) GTEST_SKIP() << kNoTray;
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
    AppDriver& app = launch("[Window]\r\nIconMenu=4\r\n");
    ASSERT_TRUE(app.wait_ready());
    if (!tray_shown()) GTEST_SKIP() << kNoTray;

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

// The indicator menu acts on the icon pressed last. Removing an icon below a used slot parks it (hidden,
// deaf to the mouse, kept for the next add); removing the highest one frees it.
TEST_F(TrayIcons, RemovingParksALowerSlotForReuseAndFreesTheHighest) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    if (!tray_shown()) GTEST_SKIP() << kNoTray;

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
