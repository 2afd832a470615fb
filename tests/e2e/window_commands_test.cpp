// Commands on the window, seen from outside: the global hotkeys (held while the program runs, and each
// press reaching its command, also from the keyboard), clearing the clipboard, no taskbar button, always
// on top, snapping to the work area's edges while the window is dragged, and getting out of the
// pointer's way.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "support/win32/app_test.h"
#include "support/win32/memory_load.h"
#include "support/win32/message_box.h"
#include "support/win32/process_resources.h"
#include "support/win32/screen_capture.h"
#include "support/win32/window_children.h"

namespace qv::test {
namespace {

using app::MenuId;

// The hotkey component's hidden window, which the system sends WM_HOTKEY to.
constexpr const wchar_t* kHotKeyWindowClass = L"THookHotKeyWindow";
// Far from the window at (100, 100) and from the Wine tray in the top left corner.
constexpr POINT kPointerAway{1200, 750};

struct Combination {
    UINT modifiers;
    UINT key;
};

// Whether this process can register the combination now (the registration is dropped again at once).
bool can_register(Combination combination) {
    constexpr int kTestId = 0x7001;
    if (!::RegisterHotKey(nullptr, kTestId, combination.modifiers, combination.key)) return false;
    ::UnregisterHotKey(nullptr, kTestId);
    return true;
}

struct WindowSearch {
    DWORD process_id;
    std::vector<HWND> windows;
};

// Shown top-level windows of the process that the shell gives a taskbar button: those that are not
// owned and not tool windows, and those that ask for a button with WS_EX_APPWINDOW.
BOOL CALLBACK collect_taskbar_window(HWND window, LPARAM context) {
    auto* wanted = reinterpret_cast<WindowSearch*>(context);
    DWORD owner_process = 0;
    ::GetWindowThreadProcessId(window, &owner_process);
    if (owner_process != wanted->process_id || !::IsWindowVisible(window)) return TRUE;
    const LONG_PTR ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    const bool owned = ::GetWindow(window, GW_OWNER) != nullptr;
    if ((ex_style & WS_EX_APPWINDOW) || (!owned && !(ex_style & WS_EX_TOOLWINDOW))) {
        wanted->windows.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> windows_with_taskbar_button(DWORD process_id) {
    WindowSearch search{process_id, {}};
    ::EnumWindows(&collect_taskbar_window, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

// Presses the keys one after the other, then lets them go in the opposite order.
void press_keys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

bool put_text_on_clipboard(const wchar_t* text) {
    const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(::GlobalLock(memory), text, bytes);
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(nullptr)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) ::GlobalFree(memory);  // the clipboard owns it only once it took it
    ::CloseClipboard();
    return put;
}

class WindowCommands : public AppTest {
protected:
    // A press of hotkey `index`, as the system delivers it; handled when this returns.
    static bool press_hotkey(const AppDriver& app, int index) {
        HWND hotkeys = find_window(app.process_id(), kHotKeyWindowClass);
        DWORD_PTR reply = 0;
        return hotkeys && ::SendMessageTimeoutW(hotkeys, WM_HOTKEY, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                                                10000, &reply);
    }

    // Hiding a shown window takes about two seconds under Wine without a window manager.
    static bool wait_visible(const AppDriver& app, bool visible) {
        return wait_until([&] { return app.state() && app.state()->visible == visible; }, 5s);
    }

    // WM_MOVING as the system's move loop sends it: the reply, and the rectangle as the program left it.
    static std::optional<LRESULT> send_moving(const AppDriver& app, RECT& proposed) {
        return app.send(WM_MOVING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
    }

    static RECT work_area() {
        RECT area{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }

    // Everything below the title: the six captions and gauges.
    static std::vector<COLORREF> gauges(const AppDriver& app) {
        const RECT client = app.state().value_or(WindowState{}).client;
        const RECT area{client.left, client.top + 19, client.right, client.bottom};
        return ScreenCapture::take(area).pixels(area);
    }

    static std::wstring ini_value(const AppDriver& app, const wchar_t* section, const wchar_t* key) {
        return app.ini().value(section, key).value_or(L"(none)");
    }
};

// Five hotkeys from the INI file are held for the program while it runs and let go when it ends; a press
// of hotkey 1 toggles the window, of hotkey 4 pauses and resumes the monitoring.
TEST_F(WindowCommands, HotkeysAreHeldWhileRunningAndReachTheirCommands) {
    const Combination held[] = {{MOD_CONTROL | MOD_ALT, 'W'},
                                {MOD_SHIFT, VK_F5},
                                {MOD_CONTROL | MOD_SHIFT, 'S'},
                                {MOD_ALT, 'P'},
                                {MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'H'}};
    AppDriver& app = launch(
        "[Hotkey]\r\nHotkeyWindow=Ctrl+Alt+W\r\nHotkeyClean=Shift+F5\r\nHotKeySet=Ctrl+Shift+S\r\n"
        "HotKeyStop=Alt+P\r\nHotKeyAutoHide=Shift+Ctrl+Alt+H\r\n"
        "[Window]\r\nRefreshTime=100\r\n");
    ASSERT_TRUE(app.wait_ready());

    for (const Combination& combination : held) {
        EXPECT_FALSE(can_register(combination))
            << "not held by the program: modifiers " << combination.modifiers << ", key " << combination.key;
    }
    // Exactly the configured modifiers: the same key with fewer is free.
    EXPECT_TRUE(can_register({MOD_CONTROL, 'W'}));

    // Paused, the display stands still while free memory drops; resumed, it follows again.
    ASSERT_TRUE(press_hotkey(app, 4));
    ::Sleep(300);
    const auto paused = gauges(app);
    {
        MemoryLoad load(256);
        for (int i = 0; i < 8; ++i) {
            ::Sleep(150);
            ASSERT_EQ(gauges(app), paused) << "the display went on refreshing after hotkey 4";
        }
        ASSERT_TRUE(press_hotkey(app, 4));
        EXPECT_TRUE(wait_until([&] { return gauges(app) != paused; }, 3s))
            << "the display did not refresh after hotkey 4 was pressed again";
    }

    ASSERT_TRUE(press_hotkey(app, 1));
    EXPECT_TRUE(wait_visible(app, false)) << "hotkey 1 did not hide the window";
    ASSERT_TRUE(press_hotkey(app, 1));
    EXPECT_TRUE(wait_visible(app, true)) << "hotkey 1 did not show the window again";

    ASSERT_TRUE(app.post_command(MenuId::Exit1));
    ASSERT_TRUE(app.wait_exit());
    for (const Combination& combination : held) {
        EXPECT_TRUE(can_register(combination))
            << "still held after the end: modifiers " << combination.modifiers << ", key " << combination.key;
    }
}

// Hotkeys 2 and 3 pressed on the keyboard, the system turning the keys into WM_HOTKEY (under Wine only
// while one of its windows has the focus): 2 runs CleanValue megabytes, 3 opens the settings dialog.
TEST_F(WindowCommands, KeyboardHotkeysRunTheConfiguredValueAndOpenTheSettings) {
    AppDriver& app =
        launch("[Clean]\r\nCleanValue=200\r\n[Hotkey]\r\nHotkeyClean=Ctrl+Alt+Q\r\nHotKeySet=Ctrl+Alt+S\r\n");
    ASSERT_TRUE(app.wait_ready());
    ::SetForegroundWindow(app.window());
    const auto start = process_memory(app.process());
    ASSERT_TRUE(start);

    press_keys({VK_CONTROL, VK_MENU, 'Q'});
    EXPECT_TRUE(wait_until(
        [&] { return process_memory(app.process())->peak_working_set >= start->working_set + (180u << 20); }, 20s))
        << "hotkey 2 ran no optimization of CleanValue";

    press_keys({VK_CONTROL, VK_MENU, 'S'});
    HWND dialog = nullptr;
    ASSERT_TRUE(wait_until([&] { return (dialog = find_dialog(app.process_id(), L"設定")) != nullptr; }, 10s))
        << "hotkey 3 opened no settings dialog";
    const auto children = children_of(dialog);
    const Child* cancel = child_with_text(children, L"キャンセル");
    ASSERT_TRUE(cancel);
    ASSERT_TRUE(::PostMessageW(cancel->window, BM_CLICK, 0, 0));
    EXPECT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"設定") == nullptr; }, 10s));
}

// Clearing the clipboard from either menu: it is emptied and the program says so; while another
// program holds it open, the program says that it failed.
TEST_F(WindowCommands, ClipboardClearingReportsSuccessAndFailure) {
    AppDriver& app = launch();
    ASSERT_TRUE(app.wait_ready());
    ASSERT_TRUE(put_text_on_clipboard(L"kept?"));

    ASSERT_TRUE(app.post_command(MenuId::N13));
    auto box = wait_message_box(app.process_id(), L"Quorvane");
    ASSERT_TRUE(box) << "no message after clearing the clipboard";
    EXPECT_EQ(box->text, L"クリップボードを初期化しました");
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the text is still on the clipboard";
    ASSERT_TRUE(answer_message_box(box->window, IDOK));

    ASSERT_TRUE(::OpenClipboard(nullptr));
    ASSERT_TRUE(app.post_command(MenuId::N14));
    box = wait_message_box(app.process_id(), L"Quorvane");
    ::CloseClipboard();
    ASSERT_TRUE(box) << "no message when the clipboard could not be opened";
    EXPECT_EQ(box->text, L"クリップボードの初期化に失敗しました");
    ASSERT_TRUE(answer_message_box(box->window, IDOK));
}

// No taskbar button; TopMost from the INI file and the menu's switch; dragging snaps to the work area.
TEST_F(WindowCommands, PlacementTopMostAndSnapping) {
    AppDriver& app = launch("[Window]\r\nTopMost=1\r\n");
    ASSERT_TRUE(app.wait_ready());
    auto state = app.state();
    ASSERT_TRUE(state);
    ASSERT_TRUE(state->visible);
    EXPECT_TRUE(state->ex_style & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(windows_with_taskbar_button(app.process_id()).empty());
    EXPECT_TRUE(state->ex_style & WS_EX_TOPMOST) << "TopMost=1 did not put the window on top at start";

    ASSERT_TRUE(app.send_command(MenuId::NTop));
    EXPECT_FALSE(app.state()->ex_style & WS_EX_TOPMOST);
    EXPECT_EQ(ini_value(app, L"Window", L"TopMost"), L"0");
    ASSERT_TRUE(app.send_command(MenuId::NTop));
    EXPECT_TRUE(app.state()->ex_style & WS_EX_TOPMOST);
    EXPECT_EQ(ini_value(app, L"Window", L"TopMost"), L"1");

    // A move that would leave the window 5 pixels short of the right and bottom edges ends on them.
    const RECT area = work_area();
    const int width = state->rect.right - state->rect.left;
    const int height = state->rect.bottom - state->rect.top;
    RECT proposed{area.right - 5 - width, area.bottom - 5 - height, area.right - 5, area.bottom - 5};
    EXPECT_EQ(send_moving(app, proposed), 1);
    EXPECT_EQ(proposed.left, area.right - width);
    EXPECT_EQ(proposed.top, area.bottom - height);
    EXPECT_EQ(proposed.right, area.right);
    EXPECT_EQ(proposed.bottom, area.bottom);

    // A real drag from the window's background (between the two gauge columns) to 5 pixels from the left.
    const POINT grab{state->client.left + 110, state->client.top + 50};
    ::SetCursorPos(grab.x, grab.y);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    const int distance = state->rect.left - (area.left + 5);
    for (int step = 1; step <= 5; ++step) {
        ::Sleep(100);
        ::SetCursorPos(grab.x - distance * step / 5, grab.y);
    }
    ::Sleep(100);
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(wait_until([&] { return app.state()->rect.left == area.left; }, 3s))
        << "the drag left the window at " << app.state()->rect.left;
    EXPECT_EQ(app.state()->rect.top, state->rect.top);
    ::SetCursorPos(kPointerAway.x, kPointerAway.y);
}

// With snapping off a move stays as proposed. Hotkey 5 switches auto-hide off and on again in the INI
// file; on, the window gives way to the pointer and comes back once the pointer has left its rectangle
// (whose right and bottom edges still count as inside).
TEST_F(WindowCommands, NoSnapAndAutoHideAfterHotkeyFiveTwice) {
    ::SetCursorPos(kPointerAway.x, kPointerAway.y);
    AppDriver& app = launch("[Window]\r\nSnap=0\r\nAutoHide=1\r\n");
    ASSERT_TRUE(app.wait_ready());
    const auto state = app.state();
    ASSERT_TRUE(state);
    ASSERT_TRUE(state->visible);

    const RECT area = work_area();
    RECT proposed{area.left + 5, area.top + 5, area.left + 5 + 100, area.top + 5 + 100};
    const RECT asked = proposed;
    EXPECT_EQ(send_moving(app, proposed), 0);
    EXPECT_TRUE(::EqualRect(&proposed, &asked)) << "moved to " << proposed.left << ", " << proposed.top;

    ASSERT_TRUE(press_hotkey(app, 5));
    EXPECT_EQ(ini_value(app, L"Window", L"AutoHide"), L"0");
    ASSERT_TRUE(press_hotkey(app, 5));
    EXPECT_EQ(ini_value(app, L"Window", L"AutoHide"), L"1");

    const RECT r = state->rect;
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(wait_visible(app, false)) << "the window did not give way to the pointer";
    ::SetCursorPos(r.right, r.bottom);
    ::Sleep(500);
    EXPECT_FALSE(app.state()->visible) << "the window came back with the pointer on its bottom right corner";
    ::SetCursorPos(kPointerAway.x, kPointerAway.y);
    EXPECT_TRUE(wait_visible(app, true)) << "the window did not come back after the pointer left";
}

// A second start with a switch, as a script or the Task Scheduler makes it, commands the running copy and
// ends with a code that says what happened; the switch's letter case and its "-" or "/" do not matter.
TEST_F(WindowCommands, SwitchesOfAnotherStartCommandTheRunningCopy) {
    AppDriver& app = launch("[Clean]\r\nCleanValue=100\r\n[Window]\r\nRefreshTime=100\r\n");
    ASSERT_TRUE(app.wait_ready());
    const auto code = [&](const wchar_t* arguments) { return app.run_switch(arguments).exit_code.value_or(99); };

    EXPECT_EQ(code(L"/hide"), 0u);
    EXPECT_TRUE(wait_visible(app, false)) << "/hide did not hide the window";
    EXPECT_EQ(code(L"-Show"), 0u);
    EXPECT_TRUE(wait_visible(app, true)) << "-Show did not show the window";

    // Paused twice is paused (the menu item would switch back); resumed, the display follows again.
    EXPECT_EQ(code(L"/PAUSE"), 0u);
    EXPECT_EQ(code(L"/pause"), 0u);
    ::Sleep(300);
    const auto paused = gauges(app);
    {
        MemoryLoad load(256);
        for (int i = 0; i < 8; ++i) {
            ::Sleep(150);
            ASSERT_EQ(gauges(app), paused) << "the display went on refreshing after /pause twice";
        }
        EXPECT_EQ(code(L"/resume"), 0u);
        EXPECT_TRUE(wait_until([&] { return gauges(app) != paused; }, 3s)) << "the display did not refresh after /resume";
    }

    // A run of the configured amount, then of the amount asked for (the peak only grows: small to large).
    constexpr std::uint64_t kMB = 1 << 20, kSlack = 30 * kMB;
    const auto memory = [&] { return process_memory(app.process()).value_or(ProcessMemory{}); };
    const ProcessMemory start = memory();
    EXPECT_EQ(code(L"/optimize"), 0u);
    EXPECT_GE(memory().peak_working_set, start.working_set + 100 * kMB - kSlack) << "/optimize ran less than CleanValue";
    EXPECT_LT(memory().peak_working_set, start.working_set + 100 * kMB + kSlack) << "/optimize ran more than CleanValue";
    EXPECT_EQ(code(L"/optimize 200"), 0u);
    EXPECT_GE(memory().peak_working_set, start.working_set + 200 * kMB - kSlack) << "/optimize 200 ran less";

    // Refused while another run is under way. Whether the request came during the run shows in the
    // memory the run still holds when the answer is in; a run over too soon is tried again.
    bool asked_during_a_run = false;
    for (int attempt = 0; attempt < 3 && !asked_during_a_run; ++attempt) {
        ASSERT_TRUE(app.post(WM_USER + 1, 0, 1024));
        ASSERT_TRUE(wait_until([&] { return memory().working_set > start.working_set + 300 * kMB; }, 20s, 10ms))
            << "the run did not start";
        const DWORD during = code(L"/optimize");
        const bool run_went_on = memory().working_set > start.working_set + 300 * kMB;
        ASSERT_TRUE(wait_until([&] { return memory().working_set < start.working_set + kSlack; }, 60s));
        if (!run_went_on) continue;
        asked_during_a_run = true;
        EXPECT_EQ(during, 1u) << "a run inside a run was not refused";
    }
    EXPECT_TRUE(asked_during_a_run) << "every run was over before the request came";

    // Usage faults end with one line of text on the output the start was given, and no box.
    const auto unknown = app.run_switch(L"/optimise 64");
    EXPECT_EQ(unknown.exit_code, 3u);
    EXPECT_NE(unknown.output.find("/optimise"), std::string::npos) << unknown.output;
    EXPECT_EQ(std::count(unknown.output.begin(), unknown.output.end(), '\n'), 1) << unknown.output;
    EXPECT_EQ(code(L"/show now"), 3u);
    EXPECT_EQ(code(L"/optimize 0"), 1u);
    EXPECT_EQ(code(L"/optimize 64MB"), 1u);

    // /exit returns once the copy has ended, also from inside the settings dialog.
    ASSERT_TRUE(app.post_command(MenuId::Nset));
    ASSERT_TRUE(wait_until([&] { return find_dialog(app.process_id(), L"設定") != nullptr; }, 10s));
    EXPECT_EQ(code(L"/exit"), 0u);
    EXPECT_FALSE(app.running());
}

// With no copy running the switches end with "not running", and /optimize makes the run itself without
// a window or tray icon; with nothing configured to run it is refused. A start with a fault that has no
// console to write to says so in a box.
TEST_F(WindowCommands, SwitchesWithoutARunningCopy) {
    AppDriver& app = prepare("[Clean]\r\nCleanValue=0\r\n");
    for (const wchar_t* arguments : {L"/show", L"/hide", L"/pause", L"/resume", L"/exit"}) {
        EXPECT_EQ(app.run_switch(arguments).exit_code, 2u) << arguments;
    }
    EXPECT_EQ(app.run_switch(L"/optimize").exit_code, 1u) << "a CleanValue of 0 ran";
    const auto usage = app.run_switch(L"-?");
    EXPECT_EQ(usage.exit_code, 0u);
    EXPECT_NE(usage.output.find("/resume"), std::string::npos) << usage.output;

    bool shown = false;
    const auto run = app.run_switch(L"/optimize 300", true, 60s, [&](DWORD process_id) {
        if (find_window(process_id, AppDriver::kMainClass) || find_window(process_id, L"TCoolTrayIconWindow") ||
            !windows_with_taskbar_button(process_id).empty()) {
            shown = true;
        }
    });
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_FALSE(shown) << "the run without a running copy showed a window";
    EXPECT_EQ(count_windows(AppDriver::kMainClass), 0);

    std::wstring box;
    const auto boxed = app.run_switch(L"-nonsense", false, 20s, [&](DWORD process_id) {
        if (auto text = dismiss_message_box(process_id, L"Quorvane", 0ms)) box = *text;
    });
    EXPECT_EQ(boxed.exit_code, 3u);
    EXPECT_NE(box.find(L"-nonsense"), std::wstring::npos) << "no box named the fault";
}

} // namespace
} // namespace qv::test
