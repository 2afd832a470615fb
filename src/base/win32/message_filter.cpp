#include "base/win32/message_filter.h"

#include "base/win32/system_function.h"

namespace qv::win {
namespace {

// From the Vista and Windows 7 headers, which this build does not target.
constexpr DWORD kAllowForWindow = 1;   // MSGFLT_ALLOW
constexpr DWORD kAddForProcess = 1;    // MSGFLT_ADD

} // namespace

MessageFilterCalls system_message_filter_calls() noexcept {
    MessageFilterCalls calls;
    calls.window = system_function<MessageFilterCalls::WindowFilter>(L"user32.dll", "ChangeWindowMessageFilterEx");
    calls.process = system_function<MessageFilterCalls::ProcessFilter>(L"user32.dll", "ChangeWindowMessageFilter");
    return calls;
}

bool allow_message_from_lower_integrity(HWND window, UINT message, const MessageFilterCalls& calls) noexcept {
    // The window's own filter keeps the process's other windows closed to the message.
    if (calls.window) return calls.window(window, message, kAllowForWindow, nullptr) != FALSE;
    if (calls.process) return calls.process(message, kAddForProcess) != FALSE;
    return true;
}

} // namespace qv::win
