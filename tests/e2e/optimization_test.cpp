// Optimization runs of the real program, seen from outside: how much memory a run takes (the peak of
// the process's working set: a run commits and writes every block before releasing them all), when
// other programs get their answer, what the title and the main tray icon show during and after a run,
// and that a run's hundreds of icon drawings leave the program's GDI objects as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "support/win32/app_test.h"
#include "support/win32/memory_load.h"
#include "support/win32/message_box.h"
#include "support/win32/process_resources.h"
#include "support/win32/screen_capture.h"
#include "support/win32/screen_recorder.h"
#include "support/win32/tray_area.h"
#include "support/win32/window_children.h"

namespace qv::test {
namespace {

using app::MenuId;

constexpr UINT kCleanRequest = WM_USER + 1;  // wParam 0: run lParam MB (0: CleanValue); 1: the version
constexpr std::uint64_t kMB = 1048576;
// Memory the program may take or give back by itself while a scenario runs.
constexpr std::uint64_t kSlack = 30 * kMB;

class Optimization : public AppTest {
protected:
    // The title label's place on the screen: (2, 1) in the client area, 162 x 15.
    static RECT title_rect(const AppDriver& app) {
        const RECT client = app.state().value_or(WindowState{}).client;
        return RECT{client.left + 2, client.top + 1, client.left + 164, client.top + 16};
    }

    // The program's one icon in a tray that can be read (a failure when it is not there); none otherwise.
    static IconPixels tray_icon(bool readable) {
        if (!readable) return {};
        EXPECT_TRUE(wait_until([] { return TrayArea::take().icon_count() == 1; }, 5s))
            << "the program's icon is not in the tray";
        return TrayArea::take().icon(0);
    }

    static ProcessMemory memory(const AppDriver& app) {
        auto now = process_memory(app.process());
        EXPECT_TRUE(now) << "the process's memory cannot be read";
        return now.value_or(ProcessMemory{});
    }
};

// Requests through the window message other programs use. The INI file also holds a hand-edited
// IconMenu of 0, no metric kind: the main icon then shows the program's own icon, during the idle time
// as after a run (whose progress numbers it shows meanwhile).
TEST_F(Optimization, RequestsFromOtherProgramsRunTheAskedAmountAndAreAnsweredAfterTheRun) {
    const bool tray = tray_host().readable;
    AppDriver& app = launch("[Clean]\r\nCleanValue=160\r\n[Window]\r\nIconMenu=0\r\n");
    ASSERT_TRUE(app.wait_ready());
    const IconPixels program_icon = tray_icon(tray);
    EXPECT_FALSE(shows_number(program_icon));
    const ProcessMemory start = memory(app);

    // Questions that run nothing. (The peak only ever grows, so the runs below go from small to large.)
    EXPECT_EQ(app.send(kCleanRequest, 1, 0), 80);
    EXPECT_EQ(app.send(kCleanRequest, 7, 0), 0);
    EXPECT_LT(memory(app).peak_working_set, start.peak_working_set + kSlack) << "a question ran the optimizer";

    EXPECT_EQ(app.send(kCleanRequest, 0, 50, 60s), 1);
    ProcessMemory after = memory(app);
    EXPECT_GE(after.peak_working_set, start.working_set + 50 * kMB - kSlack) << "the run took less than 50 MB";
    EXPECT_LT(after.peak_working_set, std::max(start.peak_working_set, start.working_set + 50 * kMB) + kSlack)
        << "the run took more than 50 MB";
    EXPECT_LT(after.working_set, start.working_set + kSlack)
        << "the answer came before the run had released its blocks";

    // 0 asks for the configured amount.
    EXPECT_EQ(app.send(kCleanRequest, 0, 0, 60s), 1);
    after = memory(app);
    EXPECT_GE(after.peak_working_set, start.working_set + 160 * kMB - kSlack) << "the run did not take CleanValue";
    EXPECT_LT(after.peak_working_set, start.working_set + 160 * kMB + kSlack);

    if (!tray) GTEST_SKIP() << kNoReadableTray;
    EXPECT_TRUE(wait_until([&] { return TrayArea::take().icon(0) == program_icon; }, 5s))
        << "the main icon kept the run's progress number";
}

// The configured-value item of the tray menu. During the run the title shows the phase (filling, then
// releasing) and the main icon the filling progress as a moving number, and the program keeps answering; a
// second start is ignored. Afterwards the title and the program's own icon are back, and the GDI
// objects are as many as before although each of the 400 filling steps drew a new icon.
TEST_F(Optimization, MenuRunShowsItsPhasesAndIgnoresASecondStart) {
    const bool tray = tray_host().readable;
    AppDriver& app = launch("[Clean]\r\nCleanValue=400\r\n");
    ASSERT_TRUE(app.wait_ready());
    const IconPixels program_icon = tray_icon(tray);
    const RECT title_area = title_rect(app);
    std::vector<COLORREF> quiet_title;
    ASSERT_TRUE(wait_until(
        [&] {
            auto now = ScreenCapture::take(title_area).pixels(title_area);
            const bool settled = !now.empty() && now == quiet_title &&
                                 std::count(now.begin(), now.end(), now.front()) != std::ptrdiff_t(now.size());
            quiet_title = std::move(now);
            return settled;
        },
        5s, 200ms))
        << "the title is not drawn";
    const ProcessMemory start = memory(app);
    const auto gdi_before = gdi_object_count(app.process());

    ScreenRecorder title(title_area);
    std::optional<ScreenRecorder> main_icon;
    if (tray) main_icon.emplace(TrayArea::take().icon_rect(0));
    ASSERT_TRUE(app.post_command(MenuId::Ns));
    // Half the amount is in use: the filling phase is half done.
    ASSERT_TRUE(wait_until([&] { return memory(app).working_set >= start.working_set + 200 * kMB; }, 30s, 10ms))
        << "the run did not take 200 MB";
    const std::vector<COLORREF> filling_title = ScreenCapture::take(title_area).pixels(title_area);
    EXPECT_EQ(app.send(kCleanRequest, 1, 0, 2s), 80) << "no answer during the run";
    EXPECT_EQ(app.send(kCleanRequest, 0, 400, 2s), 1) << "a start during a run was not answered at once";

    ASSERT_TRUE(wait_until([&] { return memory(app).working_set < start.working_set + kSlack; }, 30s))
        << "the run did not release its blocks";
    EXPECT_TRUE(wait_until([&] { return ScreenCapture::take(title_area).pixels(title_area) == quiet_title; }, 5s))
        << "the title did not come back after the run";
    const auto frames = title.stop();

    // The title went from the filling phase's text to another one, the release phase's, and back.
    EXPECT_NE(filling_title, quiet_title) << "the title did not change while filling";
    auto filling = std::find_if(frames.begin(), frames.end(), [&](const auto& f) { return f.pixels == filling_title; });
    auto releasing = std::find_if(filling, frames.end(),
                                  [&](const auto& f) { return f.pixels != filling_title && f.pixels != quiet_title; });
    EXPECT_NE(releasing, frames.end()) << "no title for the release phase among " << frames.size() << " pictures";
    // Kept for a person to look at, as the start-up screenshot.
    if (filling != frames.end()) filling->picture.save_bmp(artifacts_root() / L"screens" / L"run-filling-title.bmp");
    if (releasing != frames.end()) {
        releasing->picture.save_bmp(artifacts_root() / L"screens" / L"run-releasing-title.bmp");
    }

    if (tray) {
        EXPECT_TRUE(wait_until([&] { return TrayArea::take().icon(0) == program_icon; }, 5s))
            << "the program's own icon did not come back after the run";
        // The number moved while filling: 0 first, 100 last, and others between.
        std::vector<IconPixels> numbers;
        for (auto& frame : main_icon->stop()) {
            IconPixels icon{std::move(frame.pixels)};
            if (shows_number(icon) && (numbers.empty() || numbers.back() != icon)) numbers.push_back(std::move(icon));
        }
        EXPECT_GE(numbers.size(), 3u) << "the main icon showed too few progress numbers";
    }
    const ProcessMemory after = memory(app);
    EXPECT_GE(after.peak_working_set, start.working_set + 400 * kMB - kSlack) << "the run did not take CleanValue";
    EXPECT_LT(after.peak_working_set, start.working_set + 400 * kMB + kSlack)
        << "the second start ran inside the first";

    const auto gdi_after = gdi_object_count(app.process());
    if (gdi_before && gdi_after) {
        EXPECT_LE(*gdi_after - *gdi_before, 10)
            << "GDI objects before the run " << *gdi_before << ", after " << *gdi_after;
    } else {
        ADD_FAILURE() << "the program's GDI objects cannot be counted";
    }
    if (!tray) GTEST_SKIP() << kNoReadableTray;
}

// Free memory stays under the threshold (far above what the machine has) and the display refreshes
// every 100 ms: one run at start, and then none for a minute, also not from the refresh that ends it.
TEST_F(Optimization, LowMemoryRunsOnceAMinuteHoweverLongTheShortage) {
    AppDriver& app = launch(
        "[Clean]\r\nCleanValue=100\r\nACChk=1\r\nACMChk=1\r\nAutoCleanMemory=100000000\r\n"
        "[Window]\r\nRefreshTime=100\r\n");
    ASSERT_TRUE(app.wait_ready()) << "the program did not come through its start";
    const ProcessMemory start = memory(app);
    EXPECT_GE(start.peak_working_set, start.working_set + 100 * kMB - kSlack) << "no run at start";
    for (int i = 0; i < 100; ++i) {
        ::Sleep(50);
        ASSERT_TRUE(app.running()) << "the program ended after " << i * 50 << " ms";
        ASSERT_LT(memory(app).working_set, start.working_set + 50 * kMB) << "a second run within the minute";
    }
}

// Free System resources at or under the threshold (the NT family reports 100 %): the alarm box comes
// once. A run that ends while it is open neither opens a second box nor lets the refresh run again, and
// once the box is closed no other comes while the shortage lasts.
TEST_F(Optimization, AlarmBoxComesOnceAndHoldsThroughARun) {
    AppDriver& app = launch("[Window]\r\nAlarm=1\r\nAlarmValue=100\r\nRefreshTime=100\r\n");
    auto alarms = [&] {
        int shown = 0;
        for (HWND box : find_windows(app.process_id(), L"#32770")) {
            wchar_t caption[16]{};
            ::GetWindowTextW(box, caption, 16);
            if (::IsWindowVisible(box) && std::wstring(caption) == L"警告") ++shown;
        }
        return shown;
    };
    // The first refresh of the start-up raises it, before the program is ready.
    auto box = wait_message_box(app.process_id(), L"警告", kStartTimeout);
    ASSERT_TRUE(box) << "no alarm box";
    EXPECT_EQ(box->text, L"システムリソースが不足しています（現在100%）");

    HWND window = find_window(app.process_id(), AppDriver::kMainClass);
    DWORD_PTR reply = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(window, kCleanRequest, 0, 20, SMTO_ABORTIFHUNG, 20000, &reply))
        << "the run's answer did not come while the alarm box was open";
    ::Sleep(500);
    EXPECT_EQ(alarms(), 1);

    ASSERT_TRUE(answer_message_box(box->window, IDOK));
    ASSERT_TRUE(app.wait_ready());
    ::Sleep(1000);
    EXPECT_EQ(alarms(), 0) << "the alarm came again while the shortage lasted";
}

} // namespace
// Pausing the monitoring while a run is under way: once the run is over the display stays still while
// free memory drops, and follows again once resumed.
TEST_F(Optimization, PauseDuringARunKeepsTheMonitoringPaused) {
    AppDriver& app = launch("[Clean]\r\nCleanValue=300\r\n[Window]\r\nRefreshTime=100\r\n");
    ASSERT_TRUE(app.wait_ready());
    const ProcessMemory start = memory(app);
    ASSERT_TRUE(app.post_command(MenuId::Ns));
    ASSERT_TRUE(wait_until([&] { return memory(app).working_set >= start.working_set + 100 * kMB; }, 30s, 10ms))
        << "the run did not start";
    ASSERT_TRUE(app.post_command(MenuId::N8));
    ASSERT_TRUE(wait_until([&] { return memory(app).working_set < start.working_set + kSlack; }, 30s))
        << "the run did not release its blocks";
    ::Sleep(500);  // the run's own closing refresh, if any

    // The gauges (everything below the title) are refreshed every 100 ms unless the monitoring is paused.
    const RECT client = app.state().value_or(WindowState{}).client;
    const RECT gauges{client.left, client.top + 19, client.right, client.bottom};
    auto picture = [&] { return ScreenCapture::take(gauges).pixels(gauges); };
    const auto still = picture();
    const MemoryLoad load(512);
    ASSERT_TRUE(load.held());
    for (int i = 0; i < 15; ++i) {
        ::Sleep(200);
        ASSERT_EQ(picture(), still) << "the display went on refreshing while paused";
    }
    ASSERT_TRUE(app.post_command(MenuId::N8));
    EXPECT_TRUE(wait_until([&] { return picture() != still; }, 3s)) << "the display did not refresh once resumed";
}

// What other programs may send by mistake or on purpose: requests with every class of number in either
// parameter, hotkeys and menu commands the program never made, tray notifications that are no mouse
// message, and a thousand requests queued at once. Each request is answered as any request is, no run
// starts inside another, the program keeps running, shows nothing new, and answers at once afterwards.
TEST_F(Optimization, HostileMessagesAreAnsweredAndChangeNothingElse) {
    AppDriver& app = launch("[Clean]\r\nCleanValue=8\r\n");
    ASSERT_TRUE(app.wait_ready());
    const ProcessMemory start = memory(app);
    const auto settled = [&] {
        const auto state = app.state();
        return app.running() && state && state->visible && state->caption == L"Quorvane" &&
               !menu_open(app.process_id()) && !find_dialog(app.process_id(), L"設定") &&
               app.ini().value(L"Window", L"AutoHide").value_or(L"False") == L"False";
    };
    ASSERT_TRUE(settled());

    const LPARAM numbers[] = {0, -1, -100, INT_MIN, INT_MAX, 0x10000};
    for (LPARAM l : numbers) {
        EXPECT_EQ(app.send(kCleanRequest, 1, l), 80) << l;
        for (LPARAM w : numbers) {
            if (w != 0) {
                EXPECT_EQ(app.send(kCleanRequest, static_cast<WPARAM>(w), l), 0) << w << ", " << l;
            }
        }
        // A negative amount is a run of no blocks.
        if (l < 0) {
            EXPECT_EQ(app.send(kCleanRequest, 0, l), 1) << l;
        }
    }
    EXPECT_LT(memory(app).peak_working_set, start.peak_working_set + kSlack) << "a question ran the optimizer";

    // Hotkeys 1, 3 and 5 would hide the window, open the settings and switch auto-hide.
    const WPARAM unknown_hotkeys[] = {0, 6, 0xBFFF, static_cast<WPARAM>(-1), static_cast<WPARAM>(INT_MIN)};
    const HWND hotkeys = find_window(app.process_id(), L"THookHotKeyWindow");
    ASSERT_TRUE(hotkeys);
    for (WPARAM id : unknown_hotkeys) {
        DWORD_PTR reply = 0;
        EXPECT_TRUE(
            ::SendMessageTimeoutW(hotkeys, WM_HOTKEY, id, MAKELPARAM(MOD_ALT, 'Z'), SMTO_ABORTIFHUNG, 5000, &reply));
        EXPECT_TRUE(app.send(WM_HOTKEY, id, 0)) << id;
    }
    // No item of any menu: submenus, skin entries that do not exist, and commands from no menu (an
    // accelerator's or a control's notification, a control that is none).
    const WPARAM unknown_commands[] = {0,   1,    99,   110,  130,    142,
                                       149, 300,  999,  1000, 0xFFFF, MAKEWPARAM(static_cast<WORD>(MenuId::Exit1), 1)};
    for (WPARAM command : unknown_commands) {
        EXPECT_TRUE(app.send(WM_COMMAND, command, 0)) << command;
        EXPECT_TRUE(app.send(WM_COMMAND, command, 0x12345678)) << command;
    }
    // Commands of a start with a switch that the program does not know.
    const UINT switch_command = ::RegisterWindowMessageW(L"Quorvane.Command");
    for (WPARAM command : {WPARAM{0}, WPARAM{6}, static_cast<WPARAM>(-1), static_cast<WPARAM>(INT_MIN)}) {
        EXPECT_EQ(app.send(switch_command, command, -1), 0) << command;
    }
    // Double clicks of the right and middle buttons, the wheel, an extra button, keyboard selection, none.
    const LPARAM unknown_mouse[] = {0,       WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK, WM_MOUSEWHEEL, WM_XBUTTONDOWN,
                                    WM_USER, WM_USER + 1,      -1,               INT_MIN};
    const HWND tray = find_window(app.process_id(), L"TCoolTrayIconWindow");
    ASSERT_TRUE(tray);
    for (LPARAM mouse : unknown_mouse) {
        DWORD_PTR reply = 0;
        EXPECT_TRUE(::SendMessageTimeoutW(tray, WM_USER + 0x400, 1, mouse, SMTO_ABORTIFHUNG, 5000, &reply)) << mouse;
    }
    ::Sleep(500);
    EXPECT_TRUE(settled()) << "an unknown hotkey, command or tray notification did something";

    // A thousand requests of 100 MB at once: the first runs, the others arrive while it runs and are
    // ignored. Two runs at once would take twice the memory.
    const ProcessMemory before_queue = memory(app);
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(app.post(kCleanRequest, 0, 100)) << i;
    EXPECT_TRUE(app.send(WM_NULL, 0, 0, 1s)) << "no answer within a second after a thousand requests";
    EXPECT_TRUE(wait_until(
        [&] { return memory(app).peak_working_set >= before_queue.working_set + 100 * kMB - kSlack; }, 20s))
        << "no request ran";
    EXPECT_TRUE(wait_until([&] { return memory(app).working_set < before_queue.working_set + kSlack; }, 20s));
    ::Sleep(500);  // a second run would start now
    EXPECT_TRUE(app.send(WM_NULL, 0, 0, 1s));
    const ProcessMemory after_queue = memory(app);
    EXPECT_LT(after_queue.working_set, before_queue.working_set + kSlack) << "the requests ran on and on";
    EXPECT_LT(after_queue.peak_working_set,
              std::max(before_queue.peak_working_set, before_queue.working_set + 100 * kMB) + kSlack)
        << "a run started inside another";

    // The largest amount asks for the largest run, 1024 MB, and no more. A request sent meanwhile is
    // answered at once, and runs nothing.
    ASSERT_TRUE(app.post(kCleanRequest, 0, INT_MAX));
    ASSERT_TRUE(wait_until([&] { return memory(app).working_set >= start.working_set + 200 * kMB; }, 20s, 10ms))
        << "the run did not start";
    EXPECT_EQ(app.send(kCleanRequest, 0, 500, 1s), 1) << "a request during a run was not answered at once";
    EXPECT_TRUE(wait_until([&] { return memory(app).working_set < start.working_set + kSlack; }, 60s));
    EXPECT_TRUE(app.send(WM_NULL, 0, 0, 1s));
    EXPECT_GE(memory(app).peak_working_set, start.working_set + 1024 * kMB - kSlack) << "the run was not 1024 MB";
    EXPECT_LT(memory(app).peak_working_set, start.working_set + 1024 * kMB + kSlack) << "a run started inside another";
    EXPECT_TRUE(settled());
}

} // namespace qv::test
