#pragma once
// Clocks of the benchmarks: wall time from the performance counter and this thread's CPU time, both in
// microseconds, and the median of a set of samples.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/win32/monotonic_clock.h"

namespace qv::bench {

inline double wall_microseconds() { return win::monotonic_milliseconds() * 1000.0; }

// Kernel plus user time of the calling thread (its resolution is far coarser than a microsecond).
inline double thread_cpu_microseconds() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10.0;
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace qv::bench
