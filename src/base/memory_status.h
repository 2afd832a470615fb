#pragma once
// The system's memory status, as the optimizer and the probe read it. Every figure is 64-bit: the
// 32-bit status call caps them at 2 GiB - 1, which machines passed long ago.
#include <cstdint>

namespace qv {

struct MemoryStatus {
    std::uint32_t memory_load = 0;  // percent
    std::uint64_t total_phys = 0;
    std::uint64_t avail_phys = 0;
    std::uint64_t total_page_file = 0;
    std::uint64_t avail_page_file = 0;
    std::uint64_t total_virtual = 0;
    std::uint64_t avail_virtual = 0;
};

class MemoryStatusSource {
public:
    virtual ~MemoryStatusSource() = default;
    // One status call: every field comes from the same moment.
    virtual MemoryStatus memory_status() = 0;
};

} // namespace qv
