#include "optimizer/max_mem.h"

#include <array>
#include <utility>

#include "base/extended_precision.h"

namespace qv::optimizer {
namespace {

// Every byte, with 32-bit stores: volatile keeps the compiler from turning them into wider ones or
// dropping them, since nothing reads the block back.
void write_block(void* block) noexcept {
    auto* word = static_cast<volatile std::uint32_t*>(block);
    for (std::size_t i = 0; i < TMaxMem::BlockSize / sizeof(std::uint32_t); ++i) word[i] = 0;
}

// Kept out of line so that the arithmetic runs, and runs inside the caller's ExtendedPrecision scope.
[[gnu::noipa]] long double progress_extended(std::int32_t done, std::int32_t steps) noexcept {
    const long double quotient = static_cast<long double>(done) / static_cast<long double>(steps);
    return round_half_even(quotient * 100.0L);
}

} // namespace

std::int32_t ProgressPercent(std::int32_t done, std::int32_t steps) {
    if (steps <= 0) return 0;
    ExtendedPrecision extended;
    return static_cast<std::int32_t>(progress_extended(done, steps));
}

TMaxMem::TMaxMem(MemoryBlocks& blocks, MemoryStatusSource& status)
    : blocks_(blocks), status_(status), total_memory_(status.memory_status().total_phys) {}

std::uint64_t TMaxMem::FreeMemory() const { return status_.memory_status().avail_phys; }

void TMaxMem::RunDefrag(std::int32_t SizeMB) {
    if (busy_) return;
    busy_ = true;
    obtained_ = 0;
    const std::int32_t count = SizeMB > MaxBlocks ? MaxBlocks : (SizeMB < 0 ? 0 : SizeMB);
    std::array<void*, MaxBlocks> table{};  // a block is owned by this run from commit to release

    try {
        if (OnBeforeDefrag) OnBeforeDefrag(*this);
        const std::int32_t steps = 2 * count;
        std::int32_t done = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            table[i] = blocks_.commit(BlockSize);
            if (table[i]) {
                write_block(table[i]);
                ++obtained_;
            }
            ++done;
            if (OnProgress) OnProgress(*this, ProgressPercent(done, steps));
        }
        for (std::int32_t i = 0; i < count; ++i) {
            if (void* block = std::exchange(table[i], nullptr)) blocks_.release(block);
            ++done;
            if (OnProgress) OnProgress(*this, ProgressPercent(done, steps));
        }
    } catch (...) {
        for (void*& block : table) {
            if (block) blocks_.release(std::exchange(block, nullptr));
        }
        busy_ = false;
        if (OnAfterDefrag) OnAfterDefrag(*this);
        throw;
    }
    busy_ = false;
    if (OnAfterDefrag) OnAfterDefrag(*this);
}

} // namespace qv::optimizer
