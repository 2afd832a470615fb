#pragma once
// Fakes of the system interfaces of the probe and the statistics monitor.
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/memory_status.h"
#include "metrics/system_interfaces.h"

namespace qv::metrics::fakes {

// Where the 95 family keeps its performance statistics.
inline constexpr const char* kStatData = "PerfStats\\StatData";

class Clock : public TickClock {
public:
    std::uint32_t now = 1000;
    std::uint32_t step_per_read = 0;  // how far the clock moves at every read
    std::uint32_t tick_count() override {
        const std::uint32_t value = now;
        now += step_per_read;
        return value;
    }
};

class Timer : public RefreshTimer {
public:
    std::function<void()> handler;
    std::vector<std::string> calls;
    std::uint32_t interval = 0;
    bool enabled = false;

    void set_handler(std::function<void()> on_tick) override { handler = std::move(on_tick); }
    void set_interval(std::uint32_t milliseconds) override {
        interval = milliseconds;
        calls.push_back("interval " + std::to_string(milliseconds));
    }
    void set_enabled(bool value) override {
        enabled = value;
        calls.push_back(value ? "enable" : "disable");
    }
    bool ticks() const { return enabled && interval > 0 && handler; }
};

class Memory : public MemoryStatusSource {
public:
    MemoryStatus status;
    MemoryStatus memory_status() override { return status; }
};

// NtQuerySystemInformation: the classes the probe reads, laid out as `layout` says, every other byte
// a filler; samples (idle time, system time) are taken in order, the last one repeating.
class Nt : public NtSystem {
public:
    bool loadable = true;
    NtLayout layout = NtLayout::for_this_process();
    std::uint8_t processors = 1;
    std::deque<std::pair<std::int64_t, std::int64_t>> samples{{0, 0}};
    std::map<std::uint32_t, std::int32_t> failing;  // class -> status
    std::vector<std::string> faults;
    int queries = 0;

    bool load() override { return loadable; }

    std::int32_t query(std::uint32_t info_class, void* buffer, std::uint32_t length) override {
        ++queries;
        if (auto it = failing.find(info_class); it != failing.end()) return it->second;
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        std::memset(bytes, 0xEE, length);
        switch (info_class) {
        case 0:
            expect_length(length, layout.basic_size);
            bytes[layout.processors_offset] = processors;
            return 0;
        case 3:
            expect_length(length, layout.time_size);
            std::memcpy(bytes + layout.current_time_offset, &samples.front().second, 8);
            return 0;
        case 2:
            expect_length(length, layout.performance_size);
            std::memcpy(bytes + layout.idle_time_offset, &samples.front().first, 8);
            if (samples.size() > 1) samples.pop_front();
            return 0;
        default:
            faults.push_back("class " + std::to_string(info_class));
            return -1;
        }
    }

private:
    void expect_length(std::uint32_t length, std::uint32_t expected) {
        if (length != expected) faults.push_back("length " + std::to_string(length));
    }
};

// The thunk services; `failing_step` makes one step fail: 1 LoadLibrary16, 2 GetProcAddress16,
// 3 LoadLibraryA, 4 QT_Thunk.
class Thunk : public Thunk16 {
public:
    int failing_step = 0;
    std::map<std::uint16_t, std::uint16_t> free_percent{{0, 81}, {1, 72}, {2, 63}};
    std::vector<std::string> calls;
    int libraries16 = 0;  // loaded and not freed
    int kernel32 = 0;

    std::uint16_t load_library16(const char* name) override {
        calls.push_back(std::string("LoadLibrary16 ") + name);
        if (failing_step == 1) return 2;  // an error code below 32
        ++libraries16;
        return 0x1234;
    }
    void free_library16(std::uint16_t instance) noexcept override {
        calls.push_back("FreeLibrary16 " + std::to_string(instance));
        --libraries16;
    }
    std::uint32_t get_proc_address16(std::uint16_t, const char* name) override {
        calls.push_back(std::string("GetProcAddress16 ") + name);
        return failing_step == 2 ? 0 : 0x00470010;
    }
    bool load_kernel32() override {
        calls.push_back("LoadLibraryA");
        if (failing_step == 3) return false;
        ++kernel32;
        return true;
    }
    bool find_qt_thunk() override { return failing_step != 4; }
    std::uint16_t call16(std::uint32_t target, std::uint16_t argument) override {
        calls.push_back("call " + std::to_string(target) + " " + std::to_string(argument));
        return free_percent[argument];
    }
    void free_kernel32() noexcept override {
        calls.push_back("FreeLibrary");
        --kernel32;
    }
};

// A registry of nested keys. Every access is logged as "<operation> <path>[:<value>]".
class Registry : public metrics::Registry {
public:
    struct Node {
        std::map<std::string, std::vector<std::uint8_t>> values;
        std::map<std::string, Node> subkeys;
    };

    std::map<std::pair<std::string, RegistryRoot>, Node> roots;  // (machine, root); machine "" is local
    std::set<std::string> reachable{""};
    std::vector<std::string> log;

    Node& node(RegistryRoot which, const std::string& path, const std::string& machine = "") {
        Node* at = &roots[{machine, which}];
        for (const std::string& part : split(path)) at = &at->subkeys[part];
        return *at;
    }
    void set_value(RegistryRoot which, const std::string& path, const std::string& name,
                   std::vector<std::uint8_t> data, const std::string& machine = "") {
        node(which, path, machine).values[name] = std::move(data);
    }
    void set_int32(const std::string& path, const std::string& name, std::int32_t value,
                   const std::string& machine = "") {
        std::vector<std::uint8_t> data(4);
        std::memcpy(data.data(), &value, 4);  // the tests run on little-endian machines
        set_value(RegistryRoot::DynData, path, name, std::move(data), machine);
    }
    void set_text(const std::string& path, const std::string& name, const std::string& text) {
        std::vector<std::uint8_t> data(text.begin(), text.end());
        data.push_back(0);
        set_value(RegistryRoot::LocalMachine, path, name, std::move(data));
    }
    bool logged(const std::string& prefix) const {
        for (const auto& entry : log) {
            if (entry.rfind(prefix, 0) == 0) return true;
        }
        return false;
    }

    std::unique_ptr<RegistryKey> root(RegistryRoot which, std::string_view machine) override {
        const std::string name(machine);
        log.push_back("connect " + name);
        if (!reachable.count(name)) return nullptr;
        auto it = roots.find({name, which});
        if (it == roots.end()) it = roots.emplace(std::make_pair(name, which), Node{}).first;
        return std::make_unique<Key>(*this, it->second, name + (which == RegistryRoot::DynData ? "DYN" : "HKLM"));
    }

private:
    static std::vector<std::string> split(const std::string& path) {
        std::vector<std::string> parts;
        std::string part;
        for (char c : path) {
            if (c == '\\') {
                parts.push_back(part);
                part.clear();
            } else {
                part += c;
            }
        }
        if (!part.empty()) parts.push_back(part);
        return parts;
    }

    class Key : public RegistryKey {
    public:
        Key(Registry& owner, Node& node, std::string path) : owner_(owner), node_(node), path_(std::move(path)) {}

        std::unique_ptr<RegistryKey> open(std::string_view subkey) override {
            const std::string path = path_ + "\\" + std::string(subkey);
            owner_.log.push_back("open " + path);
            Node* at = &node_;
            for (const std::string& part : split(std::string(subkey))) {
                auto it = at->subkeys.find(part);
                if (it == at->subkeys.end()) return nullptr;
                at = &it->second;
            }
            return std::make_unique<Key>(owner_, *at, path);
        }
        std::optional<std::uint32_t> value_size(std::string_view name) override {
            owner_.log.push_back("size " + path_ + ":" + std::string(name));
            auto it = node_.values.find(std::string(name));
            if (it == node_.values.end()) return std::nullopt;
            return static_cast<std::uint32_t>(it->second.size());
        }
        std::optional<std::vector<std::uint8_t>> read(std::string_view name, std::uint32_t capacity) override {
            owner_.log.push_back("read " + path_ + ":" + std::string(name));
            auto it = node_.values.find(std::string(name));
            if (it == node_.values.end() || it->second.size() > capacity) return std::nullopt;
            return it->second;
        }

    private:
        Registry& owner_;
        Node& node_;
        std::string path_;
    };
};

} // namespace qv::metrics::fakes
