#pragma once
// Milliseconds from the performance counter, with its full resolution (GetTickCount moves in steps of
// up to 16 ms on Windows): for pacing work within a frame.
#include <windows.h>

namespace qv::win {

inline double monotonic_milliseconds() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

} // namespace qv::win
