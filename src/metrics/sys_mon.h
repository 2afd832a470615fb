#pragma once
// TSysMon: counters of the 95 family's performance statistics, on this machine or another. A statistic
// is started by reading its value under HKEY_DYN_DATA "PerfStats\StartStat", read under
// "PerfStats\StatData" and stopped under "PerfStats\StopStat"; the catalogue under HKEY_LOCAL_MACHINE
// says whether a counter is a running total whose rate per second is wanted ("Differentiate").
// On the NT family none of the keys exist and every operation quietly does nothing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "metrics/system_interfaces.h"

namespace qv::metrics {

class TSysMon;

class TMonObject {
public:
    explicit TMonObject(TSysMon& owner) noexcept : owner_(owner) {}
    // Stops the statistic if this item started it.
    ~TMonObject();
    TMonObject(const TMonObject&) = delete;
    TMonObject& operator=(const TMonObject&) = delete;

    std::string SysObject;  // such as "KERNEL"
    std::string Counter;    // such as "CPUUsage"
    bool Differentiate = false;

    bool Started() const noexcept { return started_; }

    // The counter's value (its rate per second if Differentiate), starting the statistic first if
    // needed; -1 when the names are empty, the statistics cannot be opened, the value is missing, or
    // a rate is asked twice within one millisecond. Only a value actually read updates the previous one.
    std::int32_t ReadValue();
    // Starts the statistic and refreshes Differentiate from the catalogue.
    void StartCounter();
    void StopCounter();

private:
    std::string value_name() const { return SysObject + "\\" + Counter; }
    // Reads the value once under "PerfStats\<key>"; true when its size could be asked.
    bool touch(const char* key);
    void refresh_differentiate();

    TSysMon& owner_;
    bool started_ = false;
    std::uint32_t last_tick_ = 0;
    std::int32_t last_value_ = 0;
};

class TMonCollection {
public:
    explicit TMonCollection(TSysMon& owner) noexcept : owner_(owner) {}

    TMonObject& Add();
    TMonObject& Add(std::string sys_object, std::string counter);
    std::size_t Count() const noexcept { return items_.size(); }
    TMonObject& operator[](std::size_t index) { return *items_.at(index); }
    void Delete(std::size_t index);
    void Clear();

private:
    TSysMon& owner_;
    std::vector<std::unique_ptr<TMonObject>> items_;
};

class TSysMon {
public:
    TSysMon(Registry& registry, TickClock& clock) noexcept : registry_(registry), clock_(clock) {}
    TSysMon(const TSysMon&) = delete;
    TSysMon& operator=(const TSysMon&) = delete;

    TMonCollection& Monitors() noexcept { return monitors_; }
    // The machine to read from; empty: this one. A failed connection falls back to this machine.
    std::string Machine;

private:
    friend class TMonObject;
    std::unique_ptr<RegistryKey> open(RegistryRoot root, std::string_view path);

    Registry& registry_;
    TickClock& clock_;
    TMonCollection monitors_{*this};  // last: its items stop their statistics while the rest still exists
};

} // namespace qv::metrics
