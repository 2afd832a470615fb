#include "app/win32/command_switches.h"

#include <windows.h>

#include "app/app_info.h"
#include "app/main_state.h"
#include "app/win32/single_instance.h"
#include "app/win32/window_question.h"
#include "app/win32/window_station.h"
#include "base/win32/system_function.h"
#include "base/win32/unique_handle.h"
#include "optimizer/win32/win_max_mem.h"
#include "settings/setting_items.h"
#include "settings/settings_table.h"
#include "settings/win32/settings_location.h"
#include "settings/win32/store_services.h"

namespace qv::app {
namespace {

// A copy that has just been started needs a second or two (more under load) before its window is ready.
constexpr DWORD kStartingCopyWaitMs = 15000;
constexpr UINT kCommandTimeoutMs = 30000;
// The largest run, when the system has to page a great deal out for it.
constexpr UINT kRunTimeoutMs = 10 * 60 * 1000;
// Ending takes a few seconds (the tray icons go); /exit returns once the copy has gone, so that a start
// right after it is not taken for a second copy.
constexpr DWORD kExitWaitMs = 30000;
// Held by a run made here, so that two such runs do not take their memory at once.
constexpr wchar_t kCommandLineRunMutex[] = L"Quorvane_CommandLineRun";

// Writes to a console, or to a file or pipe in the console's code page (the ANSI one without a console).
bool write_text(HANDLE out, const std::wstring& text) {
    if (!out || out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    DWORD mode = 0;
    if (::GetConsoleMode(out, &mode)) {
        return ::WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
    }
    if (::GetFileType(out) == FILE_TYPE_UNKNOWN) return false;
    UINT code_page = ::GetConsoleOutputCP();
    if (code_page == 0) code_page = CP_ACP;
    const int size = ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (size <= 0) return false;
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    return ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

// The console of the program that started this one (XP on; found at run time for older systems).
bool attach_parent_console() {
    using AttachConsoleFunction = BOOL(WINAPI*)(DWORD process_id);
    const auto attach = win::system_function<AttachConsoleFunction>(L"kernel32.dll", "AttachConsole");
    return attach && attach(ATTACH_PARENT_PROCESS);
}

// Text for the user: on the output the start was given (a redirection), else on the console of the
// program that started this one, else (started from Explorer or a shortcut: no console to write to) in
// a message box, if anyone can see one. False when it could be told nowhere (a scheduled task that runs
// whether the user is logged on or not: a box there would never close).
bool tell(const std::wstring& text, bool problem) {
    const std::wstring line = (problem ? std::wstring(kAppTitle) + L": " : std::wstring()) + text + L"\r\n";
    if (write_text(::GetStdHandle(problem ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), line)) return true;
    if (attach_parent_console()) {
        win::UniqueFileHandle console(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                    nullptr));
        const bool written = console && write_text(console.get(), line);
        ::FreeConsole();
        if (written) return true;
    }
    if (!window_station_visible()) return false;
    ::MessageBoxW(nullptr, text.c_str(), kAppTitle, MB_OK | (problem ? MB_ICONWARNING : MB_ICONINFORMATION));
    return true;
}

bool copy_runs() { return mutex_exists(kSingleInstanceMutex); }

// The main window of the running copy: class TForm1 (a common name) with the copy's readiness property.
HWND ready_window() {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); window;
         window = ::FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) {
        if (::GetPropW(window, kReadyProperty)) return window;
    }
    return nullptr;
}

struct RunningCopy {
    HWND window = nullptr;
    ExitCode failure = ExitCode::Done;  // NotRunning or NoAnswer when there is no window to ask
};

RunningCopy find_running_copy() {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (!copy_runs()) return {nullptr, ExitCode::NotRunning};
        if (HWND window = ready_window()) return {window, ExitCode::Done};
        if (::GetTickCount() - start >= kStartingCopyWaitMs) return {nullptr, ExitCode::NoAnswer};
        ::Sleep(100);
    }
}

// Whether the copy asked to exit has ended in time.
bool copy_ended(HANDLE process) {
    if (process) return ::WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
    // A copy we may not open (elevated): its mutex goes with it.
    const DWORD start = ::GetTickCount();
    while (copy_runs()) {
        if (::GetTickCount() - start >= kExitWaitMs) return false;
        ::Sleep(100);
    }
    return true;
}

// CleanValue as the running program would read it; nothing is shown, whatever the file holds.
std::int32_t read_clean_value() {
    settings::win32::SystemServices system;
    settings::StoreServices quiet = system.services();
    quiet.notifier = nullptr;
    settings::TRegManager store = settings::make_main_store(quiet);
    store.IniFileName = settings::win32::settings_file_path();
    return store.Filer(settings::items::CleanValue).ReadInteger();
}

// No copy runs: the run is made by this process, with no window and no tray icon.
ExitCode optimize_here(std::int32_t requested) {
    const InstanceClaim run = claim_single_instance(kCommandLineRunMutex);
    optimizer::win32::WinMaxMem optimizer;
    const std::int32_t configured =
        requested == 0 ? configured_amount(read_clean_value(), total_megabytes(optimizer.TotalMemory())) : 0;
    const CleanDecision decision = decide_clean_request(run.another_copy_runs, requested, configured);
    if (decision.reply != CleanReply::Ran) return exit_code_of(decision.reply);
    optimizer.RunDefrag(decision.megabytes);
    return exit_code_of(reply_of_run(optimizer.BlocksObtained()));
}

ExitCode optimize(std::int32_t megabytes) {
    const RunningCopy copy = find_running_copy();
    if (copy.failure == ExitCode::NotRunning) return optimize_here(megabytes);
    if (!copy.window) return copy.failure;
    const WindowAnswer answer =
        ask_window(copy.window, kCleanRequestMessage, kReportedCleanRequest, megabytes, kRunTimeoutMs);
    if (!answer.reply) return answer.failure;
    switch (static_cast<CleanReply>(*answer.reply)) {
    case CleanReply::Ran:
    case CleanReply::Busy:
    case CleanReply::NothingToRun:
    case CleanReply::NothingDone: return exit_code_of(static_cast<CleanReply>(*answer.reply));
    default: return ExitCode::Refused;  // a copy that does not report its runs
    }
}

ExitCode command(RemoteCommand command) {
    const RunningCopy copy = find_running_copy();
    if (!copy.window) return copy.failure;
    const UINT message = ::RegisterWindowMessageW(kCommandMessageName);
    if (message == 0) return ExitCode::NoAnswer;
    DWORD process_id = 0;
    ::GetWindowThreadProcessId(copy.window, &process_id);
    // Opened before asking, so that the copy's end can be waited for.
    win::UniqueKernelHandle process(command == RemoteCommand::Exit ? ::OpenProcess(SYNCHRONIZE, FALSE, process_id)
                                                                    : nullptr);
    const WindowAnswer answer = ask_window(copy.window, message, static_cast<WPARAM>(command), 0, kCommandTimeoutMs);
    if (!answer.reply) return answer.failure;
    if (*answer.reply != kCommandDone) return ExitCode::Refused;
    if (command == RemoteCommand::Exit && !copy_ended(process.get())) return ExitCode::NoAnswer;
    return ExitCode::Done;
}

ExitCode carry_out_switch(const CommandLine& line) {
    if (line.failure != ExitCode::Done) {
        tell(line.message, true);
        return line.failure;
    }
    // The usage shown nowhere is a start nobody could use.
    if (line.command == Switch::Usage) return tell(usage_text(), false) ? ExitCode::Done : ExitCode::BadUsage;
    if (line.command == Switch::Optimize) return optimize(line.megabytes);
    if (auto remote = remote_command_of(line.command)) return command(*remote);
    return ExitCode::Done;
}

} // namespace

std::vector<std::wstring> command_line_arguments() { return split_command_line(::GetCommandLineW()); }

int carry_out(const CommandLine& line) { return static_cast<int>(carry_out_switch(line)); }

} // namespace qv::app
