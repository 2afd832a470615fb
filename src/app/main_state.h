#pragma once
// Values the main window keeps for the whole run besides its components and settings.
#include <array>
#include <string>

namespace qv::app {

inline constexpr int kForceRedraw = -2;  // a LastShown entry that makes the next refresh redraw the icon

struct MainState {
    long long TotalMB = 0;          // installed memory in whole megabytes, taken once at start
    bool DisplayReady = false;      // the display refresh is idle until start-up is complete
    bool AlarmShown = false;
    bool PeriodicSuspended = false;
    bool PeriodicPending = false;
    bool TransparentBack = false;   // copy of TransFlag
    bool AutoHideOn = false;        // copy of AutoHide
    bool SkinActive = false;
    std::wstring CurrentSkinFile;
    std::array<int, 6> LastShown{kForceRedraw, kForceRedraw, kForceRedraw,
                                 kForceRedraw, kForceRedraw, kForceRedraw};
    int CurrentAddIcon = 1;
};

// TotalMB from the installed memory in bytes: whole megabytes, rounded toward zero.
inline long long total_megabytes(unsigned long long bytes) { return static_cast<long long>(bytes / 1048576); }

} // namespace qv::app
