// Program entry: a switch is carried out and the process ends; otherwise one copy at a time (the named
// mutex), the main window, the message loop.
#include <windows.h>

#include "app/app_info.h"
#include "app/command_line.h"
#include "app/win32/command_switches.h"
#include "app/win32/main_window.h"
#include "app/win32/single_instance.h"
#include "base/win32/error_report.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto arguments = qv::app::command_line_arguments();
    if (!arguments.empty()) {
        try {
            return qv::app::carry_out(qv::app::parse_command_line(arguments));
        } catch (...) {
            // Not carried out; nothing is shown: a scheduled start has nobody to read it.
            return static_cast<int>(qv::app::ExitCode::Refused);
        }
    }

    // Another copy holds the mutex: leave at once, silently.
    qv::app::InstanceClaim instance = qv::app::claim_single_instance(qv::app::kSingleInstanceMutex);
    if (instance.another_copy_runs) return 0;

    int exit_code = 0;
    try {
        qv::app::MainWindow window;
        exit_code = window.run();
    } catch (...) {
        qv::win::report_current_exception(nullptr);
        exit_code = 1;
    }
    if (instance.mutex) ::ReleaseMutex(instance.mutex.get());
    return exit_code;
}
