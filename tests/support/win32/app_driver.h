#pragma once
// Drives the real Quorvane.exe from a test: each AppDriver is one copy of the program in its own
// temporary folder (so its INI file is its own), started with CreateProcessW, found by its main window
// (class TForm1), and ended when the driver goes (cleanly by the exit command first, then by force, so
// that the single-instance mutex is free for the next scenario).
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/menu_ids.h"
#include "base/win32/unique_handle.h"
#include "support/win32/files.h"
#include "support/win32/ini_text.h"

namespace qv::test {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Under Wine a start takes a second or two, and ending takes about two more (removing the tray icon).
inline constexpr Millis kStartTimeout = 20s;
inline constexpr Millis kExitTimeout = 15s;

// Polls `done` every `step` until it holds or `timeout` passes; the last answer.
template <typename Condition>
bool wait_until(Condition&& done, Millis timeout, Millis step = 50ms) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        ::Sleep(static_cast<DWORD>(step.count()));
    }
}

struct WindowState {
    bool visible = false;
    RECT rect{};  // window rectangle in screen coordinates
    RECT client{};  // client area, also in screen coordinates
    LONG_PTR style = 0;
    LONG_PTR ex_style = 0;
    std::wstring caption;
};
// The state of any window; nothing when the handle is no window (any more).
std::optional<WindowState> window_state(HWND window);

// Processes whose file name is `exe_name` (no path, any letter case), in this Wine session.
int count_processes(std::wstring_view exe_name);
// Top-level windows of the class, shown or hidden, of any process.
int count_windows(std::wstring_view class_name);
// The first top-level window of the class that belongs to the process.
HWND find_window(DWORD process_id, std::wstring_view class_name);
// Every top-level window of the class that belongs to the process, shown or hidden, in no set order.
std::vector<HWND> find_windows(DWORD process_id, std::wstring_view class_name);
// A popup menu of the process is open.
bool menu_open(DWORD process_id);

class AppDriver {
public:
    static constexpr const wchar_t* kMainClass = L"TForm1";
    static constexpr const wchar_t* kReadyProperty = L"QuorvaneReady";

    // Copies the program named by the environment variable QV_EXE (with its "help" folder, if any) into a
    // fresh folder; when `ini` is given, its bytes become the INI file beside it. Throws when it cannot.
    explicit AppDriver(std::optional<std::string> ini = std::nullopt);
    // A program that `place` puts into the driver's fresh folder (unpacking a package, say): it answers the
    // program's path. Throws what `place` throws.
    explicit AppDriver(const std::function<std::filesystem::path(const std::filesystem::path& folder)>& place);
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;
    ~AppDriver();

    // Starts the program (no command line, output not inherited); again once it has ended, in the same
    // folder with the INI file as the last run left it. Throws when the system refuses.
    void start();

    // Waits for the main window and its readiness sign: the window property "QuorvaneReady", set when
    // start-up is complete. False on timeout or when the process ends first.
    bool wait_ready(Millis timeout = kStartTimeout);
    // The main window once found (wait_ready), else null.
    HWND window() const noexcept { return window_; }
    std::optional<WindowState> state() const { return window_state(window_); }

    // Messages to the main window.
    bool post(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    bool post_command(app::MenuId id) const;
    // A menu command handled before this returns (for commands that open no modal box); false when the
    // program did not answer within `timeout`.
    bool send_command(app::MenuId id, Millis timeout = 10s) const;
    // A sent message's reply, or nothing when it was not answered within `timeout`.
    std::optional<LRESULT> send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0, Millis timeout = 10s) const;
    // Moves the main window (size, order and activation unchanged); true when it went there.
    bool move_window(int left, int top) const;

    // Another start of the program's file with `arguments`, as a script or a shortcut makes it, waited for.
    struct SwitchRun {
        std::optional<DWORD> exit_code;  // nothing when it did not end in time (it is then ended)
        std::string output;              // its output and error output, as bytes
    };
    // With `redirected` its output and error output go to a file that is read back; without, it gets
    // none, and `while_running` is called with its process id until it ends (to answer a box it shows).
    SwitchRun run_switch(std::wstring_view arguments, bool redirected = true, Millis timeout = 60s,
                         const std::function<void(DWORD)>& while_running = {}) const;

    bool running() const;
    // Waits for the process to end; true when it has.
    bool wait_exit(Millis timeout = kExitTimeout) const;
    std::optional<DWORD> exit_code() const;
    // Ends the program if it still runs: the exit command first, then TerminateProcess. True when the
    // clean way sufficed (or it had already ended).
    bool end() noexcept;

    DWORD process_id() const noexcept { return process_id_; }
    // The running process (full access), null before the first start.
    HANDLE process() const noexcept { return process_.get(); }
    const std::filesystem::path& folder() const noexcept { return folder_.path(); }
    const std::filesystem::path& exe_path() const noexcept { return exe_; }
    std::filesystem::path ini_path() const;
    // The INI file's raw bytes (nothing when it does not exist) and the same as text.
    std::optional<std::string> ini_bytes() const { return read_file(ini_path()); }
    IniText ini() const { return IniText::from_file(ini_bytes().value_or(std::string())); }

private:
    TempFolder folder_;
    std::filesystem::path exe_;
    win::UniqueKernelHandle process_;
    DWORD process_id_ = 0;
    HWND window_ = nullptr;
};

} // namespace qv::test
