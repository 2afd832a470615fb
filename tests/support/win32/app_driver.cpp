#include "support/win32/app_driver.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <system_error>

#include "base/ascii.h"

namespace qv::test {

namespace fs = std::filesystem;

namespace {

std::wstring class_of(HWND window) {
    wchar_t name[256];
    int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

struct WindowSearch {
    std::wstring_view class_name;
    DWORD process_id = 0;  // 0: any process
    HWND first = nullptr;
    int count = 0;
    std::vector<HWND> all;
};

BOOL CALLBACK visit_window(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if ((search->process_id == 0 || owner == search->process_id) && class_of(window) == search->class_name) {
        if (!search->first) search->first = window;
        ++search->count;
        search->all.push_back(window);
    }
    return TRUE;
}

WindowSearch search_windows(std::wstring_view class_name, DWORD process_id) {
    WindowSearch search{class_name, process_id};
    ::EnumWindows(&visit_window, reinterpret_cast<LPARAM>(&search));
    return search;
}

// The environment a started program gets: the driver's own, unless QV_PROGRAM_WINEDEBUG asks for Wine's
// debugging channels in the program alone (a relay trace of it, say, without one of the driver). Empty:
// the driver's own, inherited.
std::wstring program_environment() {
    const wchar_t* debug = _wgetenv(L"QV_PROGRAM_WINEDEBUG");
    if (!debug) return {};
    std::wstring block;
    wchar_t* own = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = own; entry && *entry; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"WINEDEBUG=", 10) != 0) block.append(entry).push_back(L'\0');
    }
    if (own) ::FreeEnvironmentStringsW(own);
    block.append(L"WINEDEBUG=").append(debug).push_back(L'\0');
    return block;
}

BOOL create_process(const fs::path& exe, std::wstring& command_line, bool inherit, const fs::path& folder,
                    STARTUPINFOW& startup, PROCESS_INFORMATION& info) {
    std::wstring environment = program_environment();
    return ::CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, inherit ? TRUE : FALSE,
                            environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                            environment.empty() ? nullptr : environment.data(), folder.c_str(), &startup, &info);
}

struct Started {
    win::UniqueKernelHandle process;
    DWORD id = 0;
};

// Starts `exe` in its own folder with no command line arguments and no inherited handles.
Started start_process(const fs::path& exe) {
    std::wstring command_line = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // Under load Wine now and then fails to set a new process up (ERROR_INTERNAL_ERROR, seen with 64-bit
    // Wine); that says nothing of the program, so the start is tried again.
    for (int attempt = 1;; ++attempt) {
        if (create_process(exe, command_line, false, exe.parent_path(), startup, info)) {
            break;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            throw std::runtime_error("cannot start " + exe.string() + ", error " + std::to_string(error));
        }
        ::Sleep(500);
    }
    win::UniqueKernelHandle thread(info.hThread);
    return {win::UniqueKernelHandle(info.hProcess), info.dwProcessId};
}

bool wait_process(HANDLE process, Millis timeout) {
    return ::WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

} // namespace

std::optional<WindowState> window_state(HWND window) {
    if (!window || !::IsWindow(window)) return std::nullopt;
    WindowState state;
    state.visible = ::IsWindowVisible(window) != FALSE;
    ::GetWindowRect(window, &state.rect);
    ::GetClientRect(window, &state.client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&state.client), 2);
    state.style = ::GetWindowLongPtrW(window, GWL_STYLE);
    state.ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    wchar_t caption[256];
    DWORD_PTR length = 0;
    // Sent with a timeout: a hung program must not hang the test.
    if (::SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption), SMTO_ABORTIFHUNG, 5000,
                              &length)) {
        state.caption.assign(caption, length);
    }
    return state;
}

int count_processes(std::wstring_view exe_name) {
    win::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return -1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        std::wstring_view file = entry.szExeFile;
        if (size_t slash = file.find_last_of(L"\\/"); slash != std::wstring_view::npos) file.remove_prefix(slash + 1);
        if (equals_ignore_case(file, exe_name)) ++count;
    }
    return count;
}

int count_windows(std::wstring_view class_name) { return search_windows(class_name, 0).count; }

HWND find_window(DWORD process_id, std::wstring_view class_name) {
    return search_windows(class_name, process_id).first;
}

std::vector<HWND> find_windows(DWORD process_id, std::wstring_view class_name) {
    return search_windows(class_name, process_id).all;
}

bool menu_open(DWORD process_id) {
    for (HWND window : find_windows(process_id, L"#32768")) {
        if (::IsWindowVisible(window)) return true;
    }
    return false;
}

AppDriver::AppDriver(std::optional<std::string> ini) : folder_(L"quorvane-e2e") {
    fs::path source = environment_path(L"QV_EXE");
    if (source.empty() || !fs::exists(source)) {
        throw std::runtime_error("QV_EXE does not name the built program (" + source.string() + ")");
    }
    exe_ = folder_.path() / source.filename();
    if (!::CopyFileW(source.c_str(), exe_.c_str(), FALSE)) throw std::runtime_error("cannot copy " + source.string());
    // The help ships beside the program. The shipped skins are left out: scenarios put the skins they need
    // there themselves, and the skin menu then lists only those.
    for (const wchar_t* beside : {L"help"}) {
        std::error_code error;
        if (!fs::is_directory(source.parent_path() / beside, error)) continue;
        fs::copy(source.parent_path() / beside, folder_.path() / beside, fs::copy_options::recursive, error);
        if (error) throw std::runtime_error("cannot copy a folder beside the program: " + error.message());
    }
    if (ini) write_file(ini_path(), *ini);
}

// Its folder's name has blanks and Japanese letters, as a user's folder may.
AppDriver::AppDriver(const std::function<fs::path(const fs::path& folder)>& place) : folder_(L"quorvane パッケージ e2e") {
    exe_ = place(folder_.path());
}

AppDriver::~AppDriver() { end(); }

fs::path AppDriver::ini_path() const {
    fs::path ini = exe_;
    return ini.replace_extension(L".ini");
}

void AppDriver::start() {
    if (running()) throw std::logic_error("the program is running already");
    window_ = nullptr;
    Started started = start_process(exe_);
    process_ = std::move(started.process);
    process_id_ = started.id;
}

bool AppDriver::wait_ready(Millis timeout) {
    if (!process_) return false;
    return wait_until(
        [this] {
            if (!running()) return true;  // no point waiting for a program that has ended
            if (!window_ || !::IsWindow(window_)) window_ = find_window(process_id_, kMainClass);
            return window_ && ::GetPropW(window_, kReadyProperty) != nullptr;
        },
        timeout) && running() && window_ && ::GetPropW(window_, kReadyProperty) != nullptr;
}

bool AppDriver::post(UINT message, WPARAM wparam, LPARAM lparam) const {
    return window_ && ::PostMessageW(window_, message, wparam, lparam);
}

bool AppDriver::post_command(app::MenuId id) const { return post(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0)); }

bool AppDriver::send_command(app::MenuId id, Millis timeout) const {
    return send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0, timeout).has_value();
}

std::optional<LRESULT> AppDriver::send(UINT message, WPARAM wparam, LPARAM lparam, Millis timeout) const {
    DWORD_PTR reply = 0;
    if (!window_ || !::SendMessageTimeoutW(window_, message, wparam, lparam, SMTO_ABORTIFHUNG,
                                           static_cast<UINT>(timeout.count()), &reply)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(reply);
}

bool AppDriver::move_window(int left, int top) const {
    if (!window_ ||
        !::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        return false;
    }
    return wait_until(
        [&] {
            auto now = state();
            return now && now->rect.left == left && now->rect.top == top;
        },
        5s);
}

AppDriver::SwitchRun AppDriver::run_switch(std::wstring_view arguments, bool redirected, Millis timeout,
                                            const std::function<void(DWORD)>& while_running) const {
    const fs::path output_file = folder_.path() / L"switch-output.txt";
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    win::UniqueFileHandle output;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Without redirection it gets no output at all (under Wine a started program would otherwise write
    // to the Unix output of the test).
    startup.dwFlags = STARTF_USESTDHANDLES;
    if (redirected) {
        output.reset(::CreateFileW(output_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inheritable, CREATE_ALWAYS, 0, nullptr));
        if (!output) throw std::runtime_error("cannot make the output file");
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
    }
    std::wstring command_line = L"\"" + exe_.wstring() + L"\" " + std::wstring(arguments);
    PROCESS_INFORMATION info{};
    if (!create_process(exe_, command_line, redirected, folder_.path(), startup, info)) {
        throw std::runtime_error("cannot start the program with a switch, error " + std::to_string(::GetLastError()));
    }
    win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    output.reset();
    SwitchRun run;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!wait_process(process.get(), 50ms)) {
        if (while_running) while_running(info.dwProcessId);
        if (std::chrono::steady_clock::now() >= deadline) {
            ::TerminateProcess(process.get(), 99);
            wait_process(process.get(), 10s);
            return run;
        }
    }
    DWORD code = 0;
    if (::GetExitCodeProcess(process.get(), &code)) run.exit_code = code;
    if (redirected) run.output = read_file(output_file).value_or(std::string());
    return run;
}

bool AppDriver::running() const { return process_ && !wait_process(process_.get(), 0ms); }

bool AppDriver::wait_exit(Millis timeout) const { return !process_ || wait_process(process_.get(), timeout); }

std::optional<DWORD> AppDriver::exit_code() const {
    DWORD code = 0;
    if (!process_ || running() || !::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

bool AppDriver::end() noexcept {
    if (!running()) return true;
    HWND main = window_ && ::IsWindow(window_) ? window_ : find_window(process_id_, kMainClass);
    if (main && ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(app::MenuId::Exit1), 0), 0) &&
        wait_exit(kExitTimeout)) {
        return true;
    }
    ::TerminateProcess(process_.get(), 1);
    wait_process(process_.get(), 10s);
    return false;
}

} // namespace qv::test
