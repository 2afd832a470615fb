#pragma once
// The probe and the statistics monitor on the running system, as the main window owns them.
//
//     metrics::win32::WinSystemProbe SystemProbe;   // members of the main window, in this order
//     metrics::win32::WinSysMon SysMon1;
//
//     SysMon1.Monitors().Add("KERNEL", "CPUUsage");
//     SysMon1.Monitors()[0].ReadValue();             // starts the kernel's processor statistic (95 family)
//     SystemProbe.SetErrorOwner(handle());
//     SystemProbe.OnRefreshed = [this](metrics::TSystemProbe&) { SystemProbeRefreshed(); };
//     SystemProbe.Load(metrics::kMainWindowProbe);  // 2000 ms, auto refresh, refreshes once at once
//     ...
//     SystemProbe.SetRefreshInterval(RefreshTime setting);
//     TotalMB = metrics::TotalMB(SystemProbe.Memory);
//
// The refresh timer is SetTimer on a hidden message-only window of the constructing thread: the main
// window's message loop drives it, nothing else is needed. An error raised by a timer refresh is shown
// by the program's error report (owned by SetErrorOwner's window) and the next tick tries again;
// direct calls (Refresh, Load) raise qv::AppError to the caller.
#include "base/win32/memory_status.h"
#include "metrics/sys_mon.h"
#include "metrics/system_probe.h"
#include "metrics/win32/refresh_timer.h"
#include "metrics/win32/system_calls.h"
#include "metrics/win32/thunk16.h"

namespace qv::metrics::win32 {

namespace detail {
// Constructed before the component that uses them, destroyed after it.
struct WinProbeSystem {
    WinProbeSystem();
    ProbeSystem services();

    Platform platform_kind;
    win::SystemMemoryStatus memory;
    SystemTickClock clock;
    SystemRegistry registry;
    NtSystemInformation nt;
    Win9xThunk16 thunk16;
    WindowTimer timer;
};

struct WinSysMonSystem {
    SystemRegistry registry;
    SystemTickClock clock;
};
} // namespace detail

class WinSystemProbe : private detail::WinProbeSystem, public TSystemProbe {
public:
    // Throws qv::AppError on the NT family when ntdll cannot be used ("Faild to call ntdll.DLL", "Error").
    WinSystemProbe();
    // The window that owns the box showing an error raised by a timer refresh.
    void SetErrorOwner(HWND owner) noexcept { timer.set_error_owner(owner); }
};

class WinSysMon : private detail::WinSysMonSystem, public TSysMon {
public:
    WinSysMon() : TSysMon(registry, clock) {}
};

} // namespace qv::metrics::win32
