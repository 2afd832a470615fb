#pragma once
// The system calls behind the probe's and the monitor's interfaces: the platform, the tick count,
// NtQuerySystemInformation and the registry. The 16-bit thunks and the refresh timer have files of their own.
#include <windows.h>

#include "base/win32/unique_handle.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics::win32 {

// The NT family when GetVersionEx says so (always in a 64-bit build); anything else is the 95 family.
Platform current_platform() noexcept;

class SystemTickClock : public TickClock {
public:
    std::uint32_t tick_count() override { return ::GetTickCount(); }
};

// NtQuerySystemInformation from ntdll, found at run time (the 95 family has no ntdll).
class NtSystemInformation : public NtSystem {
public:
    bool load() override;
    std::int32_t query(std::uint32_t info_class, void* buffer, std::uint32_t length) override;

private:
    using QueryFunction = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    win::UniqueLibrary ntdll_;
    QueryFunction query_ = nullptr;
};

// The registry through the ANSI calls (the 95 family has no others).
class SystemRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> root(RegistryRoot which, std::string_view machine) override;
};

} // namespace qv::metrics::win32
