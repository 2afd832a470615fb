#include "metrics/sys_mon.h"

#include <cstring>
#include <iterator>

#include "metrics/figures.h"

namespace qv::metrics {
namespace {
constexpr std::uint32_t kDifferentiateCapacity = 256;
} // namespace

std::unique_ptr<RegistryKey> TSysMon::open(RegistryRoot root, std::string_view path) {
    std::unique_ptr<RegistryKey> base;
    if (!Machine.empty()) base = registry_.root(root, "\\\\" + Machine);
    if (!base) base = registry_.root(root, {});
    return base ? base->open(path) : nullptr;
}

TMonObject::~TMonObject() {
    if (!started_) return;
    try {
        StopCounter();
    } catch (...) {
        // Out of memory while stopping: the statistic stays on; nothing else can be done here.
    }
}

bool TMonObject::touch(const char* key) {
    auto opened = owner_.open(RegistryRoot::DynData, std::string("PerfStats\\") + key);
    if (!opened) return false;
    const std::string name = value_name();
    const auto size = opened->value_size(name);
    if (!size) return false;
    opened->read(name, *size);  // reading is what starts or stops it; the data is not used
    return true;
}

void TMonObject::StartCounter() {
    if (SysObject.empty() || Counter.empty()) return;
    if (touch("StartStat")) started_ = true;
    refresh_differentiate();
}

void TMonObject::StopCounter() {
    if (!SysObject.empty() && !Counter.empty()) touch("StopStat");
    started_ = false;
}

void TMonObject::refresh_differentiate() {
    auto catalogue = owner_.open(RegistryRoot::LocalMachine, "System\\CurrentControlSet\\Control\\PerfStats\\Enum");
    auto object = catalogue ? catalogue->open(SysObject) : nullptr;
    auto counter = object ? object->open(Counter) : nullptr;
    if (!counter) return;
    Differentiate = false;
    if (auto text = counter->read("Differentiate", kDifferentiateCapacity)) {
        // The text ends at its terminator, if the data has one.
        const auto* begin = reinterpret_cast<const char*>(text->data());
        const std::size_t length = strnlen(begin, text->size());
        Differentiate = std::string_view(begin, length) == "TRUE";
    }
}

std::int32_t TMonObject::ReadValue() {
    if (SysObject.empty() || Counter.empty()) return -1;
    if (!started_) StartCounter();
    auto data = owner_.open(RegistryRoot::DynData, "PerfStats\\StatData");
    if (!data) return -1;
    const auto raw = read_statistic(*data, value_name());
    if (!raw) return -1;

    std::int32_t result = *raw;
    if (Differentiate) {
        // Wrapping differences: right across the wrap of the tick count and of a running total.
        const std::uint32_t elapsed = owner_.clock_.tick_count() - last_tick_;
        const auto delta = static_cast<std::int32_t>(static_cast<std::uint32_t>(*raw) - static_cast<std::uint32_t>(last_value_));
        const auto rate = CounterRate(delta, elapsed);
        if (!rate) return -1;  // no time has passed: measure from the previous read next time
        result = *rate;
    }
    last_value_ = *raw;
    last_tick_ = owner_.clock_.tick_count();
    return result;
}

TMonObject& TMonCollection::Add() { return *items_.emplace_back(std::make_unique<TMonObject>(owner_)); }

TMonObject& TMonCollection::Add(std::string sys_object, std::string counter) {
    TMonObject& item = Add();
    item.SysObject = std::move(sys_object);
    item.Counter = std::move(counter);
    return item;
}

void TMonCollection::Delete(std::size_t index) {
    if (index < items_.size()) items_.erase(std::next(items_.begin(), static_cast<std::ptrdiff_t>(index)));
}

void TMonCollection::Clear() { items_.clear(); }

} // namespace qv::metrics
