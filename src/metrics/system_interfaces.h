#pragma once
// What the probe and the statistics monitor ask of the system, as small interfaces: the Win32 ones are
// in metrics/win32, the tests bring fakes.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace qv::metrics {

// Where the figures come from: the NT family, or anything else, treated as the 95 family.
enum class Platform { Nt, Windows95 };

// Milliseconds since the system started, wrapping after 49.7 days (GetTickCount).
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t tick_count() = 0;
};

// The probe's refresh timer. It ticks while enabled with an interval above 0, on the user-interface
// thread.
class RefreshTimer {
public:
    virtual ~RefreshTimer() = default;
    virtual void set_handler(std::function<void()> on_tick) = 0;
    virtual void set_interval(std::uint32_t milliseconds) = 0;
    virtual void set_enabled(bool enabled) = 0;
};

// NtQuerySystemInformation of ntdll.
class NtSystem {
public:
    virtual ~NtSystem() = default;
    // Loads ntdll and finds the function; false when it is not there.
    virtual bool load() = 0;
    // The query's status: 0 is success.
    virtual std::int32_t query(std::uint32_t info_class, void* buffer, std::uint32_t length) = 0;
};

// Buffer sizes and offsets of the NT information classes the probe reads. Class 0 holds pointers,
// so its size and the processor count's offset depend on the process's pointer size.
struct NtLayout {
    std::uint32_t basic_size;                // class 0, system basic information
    std::uint32_t processors_offset;         // its unsigned byte NumberOfProcessors
    std::uint32_t time_size = 32;            // class 3, system time of day
    std::uint32_t current_time_offset = 8;   // its 64-bit current time
    std::uint32_t performance_size = 312;    // class 2, system performance information
    std::uint32_t idle_time_offset = 0;      // its 64-bit idle time of all processors

    static constexpr NtLayout for_32bit_process() { return {44, 40}; }
    static constexpr NtLayout for_64bit_process() { return {64, 56}; }
    static constexpr NtLayout for_this_process() {
        return sizeof(void*) == 8 ? for_64bit_process() : for_32bit_process();
    }
};

// The 95 family's services for calling 16-bit code from 32-bit code: LoadLibrary16, FreeLibrary16 and
// GetProcAddress16 (kernel32 ordinals 35, 36, 37), and QT_Thunk from "Kernel32.dll".
class Thunk16 {
public:
    virtual ~Thunk16() = default;
    // An instance handle; below 32 is a failure.
    virtual std::uint16_t load_library16(const char* name) = 0;
    virtual void free_library16(std::uint16_t instance) noexcept = 0;
    // A 16:16 address; 0 when the export is missing.
    virtual std::uint32_t get_proc_address16(std::uint16_t instance, const char* name) = 0;
    // LoadLibraryA("Kernel32.dll"); false when it fails.
    virtual bool load_kernel32() = 0;
    // GetProcAddress(<that library>, "QT_Thunk"); false when it is missing.
    virtual bool find_qt_thunk() = 0;
    // Calls the 16-bit function at `target` with one 16-bit argument and returns its 16-bit result.
    virtual std::uint16_t call16(std::uint32_t target, std::uint16_t argument) = 0;
    virtual void free_kernel32() noexcept = 0;
};

// The registry, read only: keys are opened with KEY_READ and never created.
enum class RegistryRoot { DynData, LocalMachine };

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // A subkey; null when it cannot be opened.
    virtual std::unique_ptr<RegistryKey> open(std::string_view subkey) = 0;
    // The size of a value's data; nothing when the value does not exist.
    virtual std::optional<std::uint32_t> value_size(std::string_view name) = 0;
    // A value's data when it exists and fits `capacity` bytes.
    virtual std::optional<std::vector<std::uint8_t>> read(std::string_view name, std::uint32_t capacity) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // A root of this machine (`machine` empty) or of the machine named in UNC form ("\\name"); null
    // when the connection fails.
    virtual std::unique_ptr<RegistryKey> root(RegistryRoot which, std::string_view machine) = 0;
};

// A statistics value: up to 4 bytes of data, a little-endian 32-bit integer. Nothing when the value is
// missing or does not fit, so that no figure comes from bytes the system did not write.
std::optional<std::int32_t> read_statistic(RegistryKey& key, std::string_view name);

} // namespace qv::metrics
