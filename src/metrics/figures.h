#pragma once
// The probe's and the monitor's arithmetic, in the 80-bit extended format where the figures are
// defined in it.
#include <cstdint>
#include <optional>

namespace qv::metrics {

// 100 - trunc(free / total x 100), the quotient and the product each rounded to extended: free
// 261,197,824 of 375,259,136 gives 31; free 1,180 of 2,000 gives 42 (59 % comes out as 58.99...).
// A total of 0 (no swap file) gives 0; free above total gives 0.
std::int32_t SwapUsagePercent(std::uint64_t page_file_free, std::uint64_t page_file_total);

// Processor usage of the NT family between two samples of the idle time of all processors and the
// system time (both 100 ns units): 100 - IdleDelta / TimeDelta x 100 / processors + 0.5, truncated,
// with the deltas, the ratio and the usage each kept in double precision and computed in extended.
// Nothing when the system time has not moved. Limited to 0..100: coarse idle accounting can make the
// idle delta larger than the elapsed time.
std::optional<std::int32_t> NtCpuUsage(std::int64_t previous_idle, std::int64_t previous_time, std::int64_t idle,
                                       std::int64_t time, std::uint8_t processors);

// The rate per second of a counter that grew by `delta` (a wrapping 32-bit difference) in
// `elapsed_ms`, rounded with halves to even: 3 in 2000 ms gives 2, 5 in 2000 ms gives 2. Nothing when
// no time has passed. Limited to the 32-bit range.
std::optional<std::int32_t> CounterRate(std::int32_t delta, std::uint32_t elapsed_ms);

} // namespace qv::metrics
