#include "app/win32/window_station.h"

#include "base/win32/system_function.h"

namespace qv::app {

WindowStationCalls system_window_station_calls() noexcept {
    WindowStationCalls calls;
    calls.station = win::system_function<WindowStationCalls::ProcessStation>(L"user32.dll", "GetProcessWindowStation");
    calls.information =
        win::nt_function<WindowStationCalls::ObjectInformation>(L"user32.dll", "GetUserObjectInformationW");
    return calls;
}

bool window_station_visible(const WindowStationCalls& calls) noexcept {
    if (!calls.station || !calls.information) return true;
    HWINSTA station = calls.station();  // not ours to close
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (!station || !calls.information(station, UOI_FLAGS, &flags, sizeof(flags), &needed)) return true;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

} // namespace qv::app
