#pragma once
// A windowed program that a benchmark starts and watches from outside: a copy in a fresh temporary
// folder (so an INI file beside it is its own), its main window found by class, and what it costs the
// machine: CPU time and private memory. Wine reports neither for another process, so both are read
// where the host keeps them (/proc, through the drive Wine maps to the Unix root), falling back to the
// Windows calls on Windows.
#include <windows.h>
#include <psapi.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "base/win32/unique_handle.h"
#include "skin/win32/dib_section.h"
#include "bench/support/bench_clock.h"

namespace qv::bench {

// The folder of the running benchmark, with a trailing backslash.
inline std::wstring own_folder() {
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

inline std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// The whole of a small file (a /proc file reports no size: read to the end).
inline std::string read_small_file(const std::wstring& path) {
    win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    std::string text;
    if (!file) return text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

// User plus kernel CPU time in milliseconds from a host /proc/<pid>/stat text; nothing when it is none.
inline std::optional<double> stat_cpu_ms(const std::string& stat) {
    // utime and stime are fields 14 and 15, counted after the command's closing parenthesis.
    const size_t close = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (close == std::string::npos ||
        std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2) {
        return std::nullopt;
    }
    return (utime + stime) * 10.0;  // clock ticks of 10 ms
}

class LaunchedProgram {
public:
    // `exit_command`: the WM_COMMAND id that ends the program; 0 ends it with WM_CLOSE.
    LaunchedProgram(const std::wstring& exe, std::wstring window_class, WORD exit_command = 0,
                    const std::string& ini = {})
        : window_class_(std::move(window_class)), exit_command_(exit_command) {
        static int serial = 0;
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qvbench-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++serial);
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        const std::wstring name = exe.substr(exe.find_last_of(L"\\/") + 1);
        exe_ = folder_ + L"\\" + name;
        if (!::CopyFileW(exe.c_str(), exe_.c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %ls\n", exe.c_str());
            return;
        }
        if (!ini.empty()) {
            std::wstring ini_path = exe_.substr(0, exe_.find_last_of(L'.')) + L".ini";
            win::UniqueFileHandle file(
                ::CreateFileW(ini_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            DWORD written = 0;
            ::WriteFile(file.get(), ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        }
    }
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    ~LaunchedProgram() {
        end();
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        win::UniqueFindHandle search(::FindFirstFileW((folder_ + L"\\*").c_str(), &found));
        if (search) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
            } while (::FindNextFileW(search.get(), &found));
        }
        for (const auto& n : names) ::DeleteFileW((folder_ + L"\\" + n).c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

    // Arguments that every later start() passes.
    void set_arguments(std::wstring arguments) { arguments_ = std::move(arguments); }
    const std::wstring& exe() const noexcept { return exe_; }

    // Starts the program; the wall clock (microseconds) just before the system was asked.
    double start() {
        std::wstring command_line = L"\"" + exe_ + L"\"" + (arguments_.empty() ? L"" : L" " + arguments_);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        const double started = wall_microseconds();
        if (!::CreateProcessW(exe_.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                              &startup, &info)) {
            std::fprintf(stderr, "cannot start %ls (error %lu)\n", exe_.c_str(), ::GetLastError());
            return started;
        }
        ::CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        process_id_ = info.dwProcessId;
        unix_pid_.reset();
        window_ = nullptr;
        return started;
    }

    bool running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

    // The main window once it exists.
    HWND window() {
        if (!window_ || !::IsWindow(window_)) {
            Search search{window_class_, process_id_, nullptr};
            ::EnumWindows(&visit, reinterpret_cast<LPARAM>(&search));
            window_ = search.found;
        }
        return window_;
    }

    // The main window is shown, answers a message and shows more than one colour on the screen (a
    // window not yet painted shows its background brush or nothing of its own).
    bool painted_and_answering() {
        HWND main = window();
        if (!main || !::IsWindowVisible(main)) return false;
        DWORD_PTR reply = 0;
        if (!::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &reply)) return false;
        RECT client{};
        ::GetClientRect(main, &client);
        ::MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const int width = client.right - client.left, height = client.bottom - client.top;
        if (width <= 0 || height <= 0) return false;
        win::WindowDC screen(nullptr);
        skin::win::DibSection copy(width, height);
        ::BitBlt(copy.Dc(), 0, 0, width, height, screen.get(), client.left, client.top, SRCCOPY);
        ::GdiFlush();
        const skin::PixelBuffer& pixels = copy.Pixels();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if ((pixels.At(x, y) & 0xFFFFFF) != (pixels.At(0, 0) & 0xFFFFFF)) return true;
            }
        }
        return false;
    }

    // Sends a message and waits for the reply; nothing when none came within the timeout.
    std::optional<LRESULT> send(UINT message, WPARAM wparam, LPARAM lparam, UINT timeout_ms = 60000) {
        DWORD_PTR reply = 0;
        HWND main = window();
        if (!main || !::SendMessageTimeoutW(main, message, wparam, lparam, SMTO_ABORTIFHUNG, timeout_ms, &reply)) {
            return std::nullopt;
        }
        return static_cast<LRESULT>(reply);
    }

    // Ends the program the way a user would, and by force when it does not go.
    void end() {
        if (!running()) return;
        if (HWND main = window()) {
            if (exit_command_) ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(exit_command_, 0), 0);
            else ::PostMessageW(main, WM_CLOSE, 0, 0);
        }
        if (::WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) {
            ::TerminateProcess(process_.get(), 1);
            ::WaitForSingleObject(process_.get(), 5000);
        }
    }

    // User plus kernel CPU time of the whole process so far, in milliseconds.
    std::optional<double> cpu_ms() {
        if (auto ms = stat_cpu_ms(host_file(L"stat"))) return ms;
        FILETIME created, exited, kernel, user;
        if (!process_ || !::GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) return std::nullopt;
        auto value = [](const FILETIME& t) {
            return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
        };
        const double ms = (value(kernel) + value(user)) / 10000.0;
        if (ms <= 0) return std::nullopt;
        return ms;
    }

    // Private memory in KiB, as Windows counts private bytes: what the host holds for this process
    // alone, less the clean pages of mapped files (fonts, libraries: page cache, which counts as private
    // only while no other process happens to map the same file). Windows' own figure where there is no
    // host to ask.
    std::optional<long long> private_kib() {
        if (auto smaps = host_file(L"smaps"); !smaps.empty()) {
            long long total = 0;
            bool file_backed = false;
            size_t at = 0;
            while (at < smaps.size()) {
                size_t end = smaps.find('\n', at);
                if (end == std::string::npos) end = smaps.size();
                const std::string line = smaps.substr(at, end - at);
                at = end + 1;
                long long kib = 0;
                if (std::sscanf(line.c_str(), "Private_Dirty: %lld", &kib) == 1) {
                    total += kib;
                } else if (std::sscanf(line.c_str(), "Private_Clean: %lld", &kib) == 1) {
                    if (!file_backed) total += kib;
                } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                           line.find('-') < line.find(' ')) {
                    // A mapping's header: "start-end perms offset device inode [path]".
                    file_backed = line.find(" /") != std::string::npos;
                }
            }
            return total;
        }
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof(counters);
        if (!process_ || !::GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                                 sizeof(counters)) ||
            counters.PrivateUsage == 0) {
            return std::nullopt;
        }
        return static_cast<long long>(counters.PrivateUsage / 1024);
    }

    // The most the program has held in physical memory since the last reset_resident_peak(), in KiB (the
    // host's VmHWM); nothing where there is no host /proc.
    std::optional<long long> resident_peak_kib() {
        const std::string status = host_file(L"status");
        const size_t at = status.find("VmHWM:");
        long long kib = 0;
        if (at == std::string::npos || std::sscanf(status.c_str() + at, "VmHWM: %lld", &kib) != 1) return std::nullopt;
        return kib;
    }
    // Starts that peak afresh from what the program holds now; false where the host does not let it.
    bool reset_resident_peak() {
        if (host_file(L"status").empty()) return false;
        win::UniqueFileHandle file(::CreateFileW((L"Z:\\proc\\" + *unix_pid_ + L"\\clear_refs").c_str(), GENERIC_WRITE,
                                                 0, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD written = 0;
        return file && ::WriteFile(file.get(), "5", 1, &written, nullptr) && written == 1;
    }

private:
    struct Search {
        const std::wstring& window_class;
        DWORD process_id;
        HWND found;
    };
    static BOOL CALLBACK visit(HWND window, LPARAM context) {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        wchar_t name[128]{};
        ::GetClassNameW(window, name, 128);
        if (owner == search->process_id && search->window_class == name) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    // A file of the host's /proc entry for this process, found by the unique folder in its command line;
    // empty where there is none.
    std::string host_file(const wchar_t* name) {
        if (!unix_pid_) {
            unix_pid_ = std::wstring();
            const std::string wanted = narrow(lower(folder_.substr(folder_.find_last_of(L"\\/") + 1)));
            WIN32_FIND_DATAW found;
            win::UniqueFindHandle search(::FindFirstFileW(L"Z:\\proc\\*", &found));
            if (search) {
                do {
                    if (!std::iswdigit(found.cFileName[0])) continue;
                    std::string command = read_small_file(std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\cmdline");
                    for (char& c : command) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    if (command.find(wanted) != std::string::npos) {
                        unix_pid_ = found.cFileName;
                        break;
                    }
                } while (::FindNextFileW(search.get(), &found));
            }
        }
        if (unix_pid_->empty()) return {};
        return read_small_file(L"Z:\\proc\\" + *unix_pid_ + L"\\" + name);
    }

    static std::string narrow(const std::wstring& text) {
        std::string result;
        for (wchar_t c : text) result += static_cast<char>(c < 128 ? c : '?');
        return result;
    }

    std::wstring window_class_;
    WORD exit_command_ = 0;
    std::wstring folder_;
    std::wstring exe_;
    std::wstring arguments_;
    win::UniqueKernelHandle process_;
    DWORD process_id_ = 0;
    HWND window_ = nullptr;
    std::optional<std::wstring> unix_pid_;
};

} // namespace qv::bench
