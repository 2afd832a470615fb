// Requests from other programs reach an elevated window: through the window's own filter where the
// system has one, else the process's, else (before Vista) there is nothing to open.
#include "base/win32/message_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::win {
namespace {

std::string g_calls;
BOOL WINAPI window_filter(HWND window, UINT message, DWORD action, void* change) {
    g_calls += "window " + std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " + std::to_string(message) + " " +
               std::to_string(action) + (change ? " change" : "") + ";";
    return TRUE;
}
BOOL WINAPI process_filter(UINT message, DWORD flag) {
    g_calls += "process " + std::to_string(message) + " " + std::to_string(flag) + ";";
    return FALSE;
}

TEST(MessageFilter, TheWindowsFilterWhereThereIsOneElseTheProcesss) {
    const struct {
        MessageFilterCalls calls;
        std::string made;
        bool allowed;
    } cases[] = {
        {{&window_filter, &process_filter}, "window 7 1025 1;", true},  // MSGFLT_ALLOW
        {{nullptr, &process_filter}, "process 1025 1;", false},          // MSGFLT_ADD
        {{}, "", true},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        EXPECT_EQ(allow_message_from_lower_integrity(reinterpret_cast<HWND>(7), WM_USER + 1, c.calls), c.allowed);
        EXPECT_EQ(g_calls, c.made);
    }
}

} // namespace
} // namespace qv::win
