// Program entry: one copy at a time (the named mutex), the main window, the message loop.
#include <windows.h>

#include "app/win32/main_window.h"
#include "base/win32/error_report.h"
#include "base/win32/unique_handle.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Another copy holds the mutex: leave at once, silently.
    if (HANDLE other = ::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"ZOLT_Mutex")) {
        ::CloseHandle(other);
        return 0;
    }
    qv::win::UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, L"ZOLT_Mutex"));

    int exit_code = 0;
    try {
        qv::app::MainWindow window;
        exit_code = window.run();
    } catch (...) {
        qv::win::report_current_exception(nullptr);
        exit_code = 1;
    }
    if (mutex) ::ReleaseMutex(mutex.get());
    return exit_code;
}
