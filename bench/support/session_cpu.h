#pragma once
// CPU time that the rest of the Wine session spends: what a program makes others spend for it (its tray
// icons are drawn by the tray's process, its windows by wineserver and the X server). Counted are the host
// processes started with the benchmark's own Wine prefix, found once in the host's /proc by their
// environment: the programs started, wineserver, explorer.exe (desktop and tray) and the other Wine
// services, and the private X server of a session that scripts/wine-exec.sh started (a display that was
// there before is not counted). The benchmark itself is left out.
#include <optional>
#include <string>
#include <vector>

#include "bench/support/launched_program.h"

namespace qv::bench {

class SessionCpu {
public:
    SessionCpu() {
        const std::string own_stat = read_small_file(L"Z:\\proc\\self\\stat");
        const std::string own_pid = own_stat.substr(0, own_stat.find(' '));
        const std::string prefix = environment_entry(read_small_file(L"Z:\\proc\\self\\environ"), "WINEPREFIX=");
        if (own_pid.empty() || prefix.empty()) return;
        WIN32_FIND_DATAW found;
        win::UniqueFindHandle search(::FindFirstFileW(L"Z:\\proc\\*", &found));
        if (!search) return;
        do {
            if (!std::iswdigit(found.cFileName[0])) continue;
            const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName;
            std::string pid;
            for (const wchar_t* c = found.cFileName; *c; ++c)
                pid += static_cast<char>(*c);
            if (pid == own_pid) continue;
            if (environment_entry(read_small_file(folder + L"\\environ"), "WINEPREFIX=") == prefix) {
                stat_files_.push_back(folder + L"\\stat");
            }
        } while (::FindNextFileW(search.get(), &found));
    }

    // The CPU time of those processes so far, in milliseconds; nothing when none was found or one of
    // them has ended (its time went with it).
    std::optional<double> ms() const {
        if (stat_files_.empty()) return std::nullopt;
        double total = 0;
        for (const auto& file : stat_files_) {
            const auto ms = stat_cpu_ms(read_small_file(file));
            if (!ms) return std::nullopt;
            total += *ms;
        }
        return total;
    }

private:
    // The value of `name` (given with its "=") in a NUL-separated environment block.
    static std::string environment_entry(const std::string& block, const std::string& name) {
        for (size_t at = 0; at < block.size();) {
            const size_t end = std::min(block.find('\0', at), block.size());
            if (block.compare(at, name.size(), name) == 0)
                return block.substr(at + name.size(), end - at - name.size());
            at = end + 1;
        }
        return {};
    }

    std::vector<std::wstring> stat_files_;
};

} // namespace qv::bench
