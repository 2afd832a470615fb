// The decisions a start with a switch makes on what the system answers, for the cases Wine cannot show:
// a copy running elevated, and a scheduled task's window station that nobody sees.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/command_line_split_cases.h"

#include "app/win32/window_question.h"
#include "app/win32/window_station.h"

namespace qv::app {
namespace {

TEST(CommandSwitches, TheSplitterTableIsWhatTheSystemSplits) {
    for (const auto& c : test::kSplitCases) {
        int count = 0;
        LPWSTR* split = ::CommandLineToArgvW(c.line, &count);
        ASSERT_NE(split, nullptr) << c.line;
        // An empty line gives the program's path as its name, nothing after it.
        EXPECT_EQ(std::vector<std::wstring>(split + 1, split + count), c.arguments) << c.line;
        ::LocalFree(split);
    }
}

DWORD g_send_error = 0;
LRESULT WINAPI fake_send(HWND, UINT, WPARAM wparam, LPARAM, UINT, UINT, PDWORD_PTR reply) {
    if (g_send_error == 0) {
        *reply = wparam + 1;
        return 1;
    }
    ::SetLastError(g_send_error);
    return 0;
}

TEST(CommandSwitches, ARequestTheSystemKeepsFromTheCopyIsNotASilentCopy) {
    const struct {
        DWORD error;
        ExitCode failure;
    } cases[] = {{0, ExitCode::Done},
                 {ERROR_ACCESS_DENIED, ExitCode::AccessDenied},
                 {ERROR_TIMEOUT, ExitCode::NoAnswer},
                 {ERROR_INVALID_WINDOW_HANDLE, ExitCode::NoAnswer}};
    for (const auto& c : cases) {
        g_send_error = c.error;
        const WindowAnswer answer = ask_window(nullptr, WM_USER + 1, 2, 0, 100, &fake_send);
        EXPECT_EQ(answer.failure, c.failure) << c.error;
        EXPECT_EQ(answer.reply, c.error == 0 ? std::optional<LRESULT>(3) : std::nullopt) << c.error;
    }
}

DWORD g_station_flags = 0;
bool g_query_works = true;
HWINSTA WINAPI fake_station() { return reinterpret_cast<HWINSTA>(8); }
BOOL WINAPI fake_information(HANDLE, int index, PVOID information, DWORD size, LPDWORD) {
    if (!g_query_works || index != UOI_FLAGS || size < sizeof(USEROBJECTFLAGS)) return FALSE;
    static_cast<USEROBJECTFLAGS*>(information)->dwFlags = g_station_flags;
    return TRUE;
}

TEST(CommandSwitches, ABoxOnlyWhereSomebodyCanSeeIt) {
    const struct {
        WindowStationCalls calls;
        DWORD flags;
        bool query_works;
        bool visible;
    } cases[] = {
        {{&fake_station, &fake_information}, WSF_VISIBLE, true, true},
        {{&fake_station, &fake_information}, 0, true, false},
        // The system cannot say: as it always was.
        {{&fake_station, &fake_information}, 0, false, true},
        {{nullptr, &fake_information}, 0, true, true},
    };
    for (const auto& c : cases) {
        g_station_flags = c.flags;
        g_query_works = c.query_works;
        EXPECT_EQ(window_station_visible(c.calls), c.visible) << (&c - cases);
    }
    EXPECT_TRUE(window_station_visible()) << "the test's own session is interactive";
}

} // namespace
} // namespace qv::app
