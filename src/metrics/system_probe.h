#pragma once
// TSystemProbe: the machine's figures, refreshed together on a timer and after every direct Refresh:
// memory and swap, free System/GDI/User resources, processor usage, and the dial-up adapter's counters.
// The sources depend on the platform: NtQuerySystemInformation on the NT family; on the 95 family the
// 16-bit GetFreeSystemResources and the performance statistics under HKEY_DYN_DATA.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/memory_status.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics {

// Sizes in bytes, from one memory-status call.
struct TMemory {
    std::uint8_t MemoryLoad = 0;        // percent
    std::uint64_t SwapFileSize = 0;     // PageFileTotal - PageFileFree (0 if the system reports more free)
    std::int32_t SwapUsage = 0;         // percent, see SwapUsagePercent
    std::uint64_t PhysicalTotal = 0;
    std::uint64_t PhysicalFree = 0;
    std::uint64_t PageFileTotal = 0;
    std::uint64_t PageFileFree = 0;
    std::uint64_t VirtualTotal = 0;
    std::uint64_t VirtualFree = 0;
};

// Percentages of free resources; 100 on the NT family, which has no such limits.
struct TResources {
    std::uint8_t SystemResources = 0;
    std::uint8_t GDIResources = 0;
    std::uint8_t UserResources = 0;
};

struct TKernel {
    std::int32_t CPUUsage = 0;  // percent
    std::int32_t Threads = 0;   // -1 on the NT family
    std::int32_t VMs = 0;       // -1 on the NT family
    std::uint8_t NumberOfProcessors = 0;  // NT family, read at construction
};

// The dial-up adapter's statistics; -1 where a value is missing.
struct TDialUp {
    std::int32_t ConnectSpeed = 0;
    std::int32_t BytesRecvd = 0;
    std::int32_t BytesXmit = 0;
    std::int32_t TotalBytesRecvd = 0;
    std::int32_t TotalBytesXmit = 0;
};

// Everything the probe asks of the system. The probe keeps the references for its life.
struct ProbeSystem {
    Platform platform;
    MemoryStatusSource& memory;
    TickClock& clock;
    Registry& registry;
    RefreshTimer& timer;
    NtSystem* nt = nullptr;             // needed on the NT family
    Thunk16* thunk16 = nullptr;         // the 95 family's; null where 16-bit code cannot be reached
    std::function<void()> pump_messages;  // lets pending window messages run; may be empty
    NtLayout nt_layout = NtLayout::for_this_process();
};

// Values a host stores for the probe, applied in this order by Load.
struct ProbeConfiguration {
    std::int32_t RefreshInterval;
    bool AutoRefresh;
    bool SmartRefresh;
    std::int32_t RefreshTime;
};

// The main window's probe: refresh every 2 s, no measurement of the first refresh.
inline constexpr ProbeConfiguration kMainWindowProbe{2000, true, false, 3};

class TSystemProbe {
public:
    // Creates the groups (on the NT family: loads NtQuerySystemInformation and reads the processor
    // count, raising "Faild to call ntdll.DLL" or "Error"), then RefreshInterval 5000 and AutoRefresh on.
    explicit TSystemProbe(ProbeSystem system);
    ~TSystemProbe();
    TSystemProbe(const TSystemProbe&) = delete;
    TSystemProbe& operator=(const TSystemProbe&) = delete;

    // Refreshes the resource, memory, kernel and dial-up groups, in that order, then raises
    // OnRefreshed. A failure is raised as qv::AppError with the system's text and leaves at once: no
    // OnRefreshed, Status stays "Refreshing...", groups already refreshed keep their new values.
    // Also the timer's tick.
    void Refresh();

    // Applies stored values (through the setters), then does what the component does once loaded:
    // refreshes at once if AutoRefresh is on.
    void Load(const ProbeConfiguration& configuration);
    void Loaded();

    std::int32_t RefreshInterval() const noexcept { return refresh_interval_; }
    // Stores a different value and gives it to the timer; 0 (or below) stops the ticks.
    void SetRefreshInterval(std::int32_t milliseconds);
    bool AutoRefresh() const noexcept { return auto_refresh_; }
    // Stores a different value and enables or disables the timer; does not refresh by itself.
    void SetAutoRefresh(bool enabled);

    Platform platform() const noexcept { return system_.platform; }

    // Plain stored values.
    std::wstring Status;
    std::int32_t RefreshTime = -1;  // ms the first refresh took; -1: not measured yet
    bool SmartRefresh = false;      // when the first refresh is measured, RefreshInterval := 5 x RefreshTime
    std::function<void(TSystemProbe& sender)> OnRefreshed;
    TResources Resources;
    TMemory Memory;
    TKernel Kernel;
    TDialUp DialUp;

    // The NT processor measurement gives up waiting for the system time to move after this many
    // samples or milliseconds, and keeps the previous CPUUsage.
    static constexpr std::uint32_t kMaxSpinSamples = 100000;
    static constexpr std::uint32_t kMaxSpinMilliseconds = 250;

private:
    struct NtSample {
        std::int64_t idle_time;
        std::int64_t system_time;
    };

    void refresh_resources();
    void refresh_memory();
    void refresh_kernel();
    void refresh_dial_up();
    void load_nt_kernel();
    NtSample take_nt_sample();
    std::uint8_t read_free_resources(std::uint16_t selector);
    std::unique_ptr<RegistryKey> open_statistics();

    ProbeSystem system_;
    std::int32_t refresh_interval_ = 0;
    bool auto_refresh_ = false;
    std::optional<NtSample> previous_sample_;
    std::vector<std::uint8_t> time_buffer_;
    std::vector<std::uint8_t> performance_buffer_;
};

// Total physical memory in whole megabytes, rounded toward zero (limited to the 32-bit range).
std::int32_t TotalMB(const TMemory& memory);

} // namespace qv::metrics
