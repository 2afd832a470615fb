#pragma once
// Whether anybody can see a window this process shows: a task that runs whether the user is logged on
// or not gets a window station of its own that no one sees, and a message box there never closes.
#include <windows.h>

namespace qv::app {

// The system's calls, where it has them (the 95 family has no window stations).
struct WindowStationCalls {
    using ProcessStation = HWINSTA(WINAPI*)();
    using ObjectInformation = BOOL(WINAPI*)(HANDLE object, int index, PVOID information, DWORD size,
                                            LPDWORD needed);
    ProcessStation station = nullptr;          // GetProcessWindowStation
    ObjectInformation information = nullptr;   // GetUserObjectInformationW
};
WindowStationCalls system_window_station_calls() noexcept;

// False only when the system says the process's window station is not the visible one; where it cannot
// say (no such calls, a failed query), a window is shown as it always was.
bool window_station_visible(const WindowStationCalls& calls = system_window_station_calls()) noexcept;

} // namespace qv::app
