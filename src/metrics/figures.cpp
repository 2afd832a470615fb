#include "metrics/figures.h"

#include <cmath>
#include <limits>

#include "base/extended_precision.h"

namespace qv::metrics {
namespace {

// The arithmetic is kept out of line so that it runs, and runs inside the caller's ExtendedPrecision
// scope.
[[gnu::noipa]] long double free_percent(std::uint64_t free, std::uint64_t total) noexcept {
    const long double quotient = static_cast<long double>(free) / static_cast<long double>(total);
    return quotient * 100.0L;
}

[[gnu::noipa]] double usage_of(std::int64_t previous_idle, std::int64_t previous_time, std::int64_t idle,
                               std::int64_t time, std::uint8_t processors, bool& time_moved) noexcept {
    // An int64 is exact in extended (64-bit significand), as high half x 2^32 + low half would be.
    const double idle_delta = static_cast<double>(static_cast<long double>(idle) - previous_idle);
    const double time_delta = static_cast<double>(static_cast<long double>(time) - previous_time);
    time_moved = time_delta != 0.0;
    if (!time_moved) return 0.0;
    const double ratio = static_cast<double>(static_cast<long double>(idle_delta) / time_delta);
    return static_cast<double>(100.0L - static_cast<long double>(ratio) * 100.0L / processors + 0.5L);
}

[[gnu::noipa]] long double rate_of(std::int32_t delta, std::uint32_t elapsed_ms) noexcept {
    const long double per_second = static_cast<long double>(delta) * 1000.0L / static_cast<long double>(elapsed_ms);
    return round_half_even(per_second);
}

} // namespace

std::int32_t SwapUsagePercent(std::uint64_t page_file_free, std::uint64_t page_file_total) {
    if (page_file_total == 0 || page_file_free >= page_file_total) return 0;
    ExtendedPrecision extended;
    return 100 - static_cast<std::int32_t>(std::trunc(free_percent(page_file_free, page_file_total)));
}

std::optional<std::int32_t> NtCpuUsage(std::int64_t previous_idle, std::int64_t previous_time, std::int64_t idle,
                                       std::int64_t time, std::uint8_t processors) {
    bool time_moved = false;
    double usage;
    {
        ExtendedPrecision extended;
        usage = usage_of(previous_idle, previous_time, idle, time, processors ? processors : 1, time_moved);
    }
    if (!time_moved) return std::nullopt;
    if (!(usage > 0.0)) return 0;  // also a NaN
    if (usage >= 100.0) return 100;
    return static_cast<std::int32_t>(usage);
}

std::optional<std::int32_t> CounterRate(std::int32_t delta, std::uint32_t elapsed_ms) {
    if (elapsed_ms == 0) return std::nullopt;
    long double rate;
    {
        ExtendedPrecision extended;
        rate = rate_of(delta, elapsed_ms);
    }
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    if (rate <= lowest) return lowest;
    if (rate >= highest) return highest;
    return static_cast<std::int32_t>(rate);
}

} // namespace qv::metrics
