#include "metrics/win32/win_system_probe.h"

#include "base/win32/pending_messages.h"

namespace qv::metrics::win32 {
namespace detail {

WinProbeSystem::WinProbeSystem() : platform_kind(current_platform()), thunk16(platform_kind) {}

ProbeSystem WinProbeSystem::services() {
    return ProbeSystem{.platform = platform_kind,
                       .memory = memory,
                       .clock = clock,
                       .registry = registry,
                       .timer = timer,
                       .nt = &nt,
                       .thunk16 = &thunk16,
                       .pump_messages = [] { win::run_pending_messages(); }};
}

} // namespace detail

WinSystemProbe::WinSystemProbe() : TSystemProbe(services()) {}

} // namespace qv::metrics::win32
