#include "metrics/system_probe.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "metrics/figures.h"

namespace qv::metrics {
namespace {

constexpr std::uint32_t kBasicInformation = 0;
constexpr std::uint32_t kPerformanceInformation = 2;
constexpr std::uint32_t kTimeOfDayInformation = 3;

std::int64_t int64_at(const std::vector<std::uint8_t>& buffer, std::uint32_t offset) {
    std::int64_t value = 0;
    if (offset + sizeof(value) <= buffer.size()) std::memcpy(&value, buffer.data() + offset, sizeof(value));
    return value;
}

// Runs `action` when the scope ends, however it ends.
template <typename Action>
class Finally {
public:
    explicit Finally(Action action) : action_(std::move(action)) {}
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;
    ~Finally() { action_(); }

private:
    Action action_;
};

} // namespace

TSystemProbe::TSystemProbe(ProbeSystem system) : system_(std::move(system)) {
    if (system_.platform == Platform::Nt) load_nt_kernel();
    system_.timer.set_handler([this] { Refresh(); });
    SetRefreshInterval(5000);
    SetAutoRefresh(true);
}

TSystemProbe::~TSystemProbe() {
    system_.timer.set_enabled(false);
    system_.timer.set_handler(nullptr);
}

void TSystemProbe::SetRefreshInterval(std::int32_t milliseconds) {
    if (milliseconds == refresh_interval_) return;
    refresh_interval_ = milliseconds;
    system_.timer.set_interval(milliseconds > 0 ? static_cast<std::uint32_t>(milliseconds) : 0);
}

void TSystemProbe::SetAutoRefresh(bool enabled) {
    if (enabled == auto_refresh_) return;
    auto_refresh_ = enabled;
    system_.timer.set_enabled(enabled);
}

void TSystemProbe::Load(const ProbeConfiguration& configuration) {
    SetRefreshInterval(configuration.RefreshInterval);
    SetAutoRefresh(configuration.AutoRefresh);
    SmartRefresh = configuration.SmartRefresh;
    RefreshTime = configuration.RefreshTime;
    Loaded();
}

void TSystemProbe::Loaded() {
    if (auto_refresh_) Refresh();
}

void TSystemProbe::Refresh() {
    Status = L"Refreshing...";
    const std::uint32_t started = system_.clock.tick_count();
    refresh_resources();
    refresh_memory();
    refresh_kernel();
    refresh_dial_up();
    if (RefreshTime == -1) {
        RefreshTime = static_cast<std::int32_t>(system_.clock.tick_count() - started);
        if (SmartRefresh) {
            const std::int64_t interval = 5 * static_cast<std::int64_t>(RefreshTime);
            SetRefreshInterval(static_cast<std::int32_t>(std::min<std::int64_t>(interval, INT32_MAX)));
        }
    }
    Status = L"Ready";
    if (OnRefreshed) OnRefreshed(*this);
}

void TSystemProbe::refresh_resources() {
    if (system_.platform == Platform::Nt) {
        Resources = {100, 100, 100};
        return;
    }
    Resources.SystemResources = read_free_resources(0);
    Resources.GDIResources = read_free_resources(1);
    Resources.UserResources = read_free_resources(2);
}

std::uint8_t TSystemProbe::read_free_resources(std::uint16_t selector) {
    Thunk16* thunk = system_.thunk16;
    const std::uint16_t user = thunk ? thunk->load_library16("User.exe") : 0;
    if (user < 32) throw AppError(L"Faild to call User.exe");
    Finally free_user([&] { thunk->free_library16(user); });

    const std::uint32_t function = thunk->get_proc_address16(user, "GetFreeSystemResources");
    if (!function) throw AppError(L"Faild to call function");
    if (!thunk->load_kernel32()) throw AppError(L"Faild to call Kernel32.dll");
    Finally free_kernel32([&] { thunk->free_kernel32(); });
    if (!thunk->find_qt_thunk()) throw AppError(L"Faild to call QT_Thunk");
    return static_cast<std::uint8_t>(thunk->call16(function, selector));
}

void TSystemProbe::refresh_memory() {
    const MemoryStatus status = system_.memory.memory_status();
    Memory.MemoryLoad = static_cast<std::uint8_t>(status.memory_load);
    Memory.SwapFileSize =
        status.total_page_file > status.avail_page_file ? status.total_page_file - status.avail_page_file : 0;
    Memory.SwapUsage = SwapUsagePercent(status.avail_page_file, status.total_page_file);
    Memory.PhysicalTotal = status.total_phys;
    Memory.PhysicalFree = status.avail_phys;
    Memory.PageFileTotal = status.total_page_file;
    Memory.PageFileFree = status.avail_page_file;
    Memory.VirtualTotal = status.total_virtual;
    Memory.VirtualFree = status.avail_virtual;
}

void TSystemProbe::load_nt_kernel() {
    previous_sample_.reset();
    if (!system_.nt || !system_.nt->load()) throw AppError(L"Faild to call ntdll.DLL");
    std::vector<std::uint8_t> basic(system_.nt_layout.basic_size);
    if (system_.nt->query(kBasicInformation, basic.data(), static_cast<std::uint32_t>(basic.size())) != 0) {
        throw AppError(L"Error");
    }
    if (system_.nt_layout.processors_offset < basic.size()) {
        Kernel.NumberOfProcessors = basic[system_.nt_layout.processors_offset];
    }
}

TSystemProbe::NtSample TSystemProbe::take_nt_sample() {
    const NtLayout& layout = system_.nt_layout;
    time_buffer_.resize(layout.time_size);
    performance_buffer_.resize(layout.performance_size);
    if (system_.nt->query(kTimeOfDayInformation, time_buffer_.data(), layout.time_size) != 0) {
        throw AppError(L"Error");
    }
    if (system_.nt->query(kPerformanceInformation, performance_buffer_.data(), layout.performance_size) != 0) {
        throw AppError(L"Error");
    }
    return {int64_at(performance_buffer_, layout.idle_time_offset), int64_at(time_buffer_, layout.current_time_offset)};
}

void TSystemProbe::refresh_kernel() {
    if (system_.platform == Platform::Windows95) {
        auto key = open_statistics();
        if (!key) return;
        Kernel.CPUUsage = read_statistic(*key, "KERNEL\\CPUUsage").value_or(-1);
        Kernel.Threads = read_statistic(*key, "KERNEL\\Threads").value_or(-1);
        Kernel.VMs = read_statistic(*key, "KERNEL\\VMs").value_or(-1);
        return;
    }

    // The first refresh has no previous sample and takes two in a row; a sample whose system time has
    // not moved yet is taken again. The wait is bounded, so that a clock that never moves cannot hang
    // the program: the refresh then goes on with the previous CPUUsage.
    const std::uint32_t started = system_.clock.tick_count();
    std::optional<std::int32_t> usage;
    NtSample current{};
    for (std::uint32_t samples = 1;; ++samples) {
        current = take_nt_sample();
        if (previous_sample_) {
            usage = NtCpuUsage(previous_sample_->idle_time, previous_sample_->system_time, current.idle_time,
                               current.system_time, Kernel.NumberOfProcessors);
            if (usage) break;
        } else {
            previous_sample_ = current;
        }
        if (samples >= kMaxSpinSamples || system_.clock.tick_count() - started >= kMaxSpinMilliseconds) break;
    }
    if (system_.pump_messages) system_.pump_messages();
    if (usage) Kernel.CPUUsage = *usage;
    Kernel.Threads = -1;
    Kernel.VMs = -1;
    previous_sample_ = current;
}

void TSystemProbe::refresh_dial_up() {
    // The NT family has no performance statistics, so the values keep what they held. Not even asked
    // for there: Wine keeps an empty HKEY_DYN_DATA on every version, and the five failed reads would
    // be most of a refresh's cost.
    if (system_.platform == Platform::Nt) return;
    auto key = open_statistics();
    if (!key) return;
    DialUp.ConnectSpeed = read_statistic(*key, "Dial-Up Adapter\\ConnectSpeed").value_or(-1);
    DialUp.BytesRecvd = read_statistic(*key, "Dial-Up Adapter\\BytesRecvd").value_or(-1);
    DialUp.BytesXmit = read_statistic(*key, "Dial-Up Adapter\\BytesXmit").value_or(-1);
    DialUp.TotalBytesRecvd = read_statistic(*key, "Dial-Up Adapter\\TotalBytesRecvd").value_or(-1);
    DialUp.TotalBytesXmit = read_statistic(*key, "Dial-Up Adapter\\TotalBytesXmit").value_or(-1);
}

std::unique_ptr<RegistryKey> TSystemProbe::open_statistics() {
    auto root = system_.registry.root(RegistryRoot::DynData, {});
    return root ? root->open("PerfStats\\StatData") : nullptr;
}

std::int32_t TotalMB(const TMemory& memory) {
    const std::uint64_t megabytes = memory.PhysicalTotal / 1048576;
    constexpr auto highest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(megabytes < highest ? megabytes : highest);
}

std::optional<std::int32_t> read_statistic(RegistryKey& key, std::string_view name) {
    auto data = key.read(name, 4);
    if (!data || data->empty() || data->size() > 4) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data->size(); ++i) value |= static_cast<std::uint32_t>((*data)[i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

} // namespace qv::metrics
