#pragma once
// TMaxMem: the memory optimizer. One run commits Count blocks of 1 MiB one after the other, writes every
// byte of each right after committing it, then releases them all in the same order; the system has to
// page other programs out to satisfy it, so that physical memory is free afterwards. Progress goes from
// 0 to 50 while filling and from 50 to 100 while releasing.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/memory_status.h"

namespace qv::optimizer {

// Blocks of memory as the system hands them out.
class MemoryBlocks {
public:
    virtual ~MemoryBlocks() = default;
    // A fresh block of `bytes`, committed read/write and uncached; null when the system refuses.
    virtual void* commit(std::size_t bytes) = 0;
    virtual void release(void* block) noexcept = 0;
};

class TMaxMem {
public:
    static constexpr std::size_t BlockSize = 0x100000;
    static constexpr std::int32_t MaxBlocks = 1024;

    // Reads the memory status once, for TotalMemory.
    TMaxMem(MemoryBlocks& blocks, MemoryStatusSource& status);
    TMaxMem(const TMaxMem&) = delete;
    TMaxMem& operator=(const TMaxMem&) = delete;

    bool Busy() const noexcept { return busy_; }
    // Total physical memory in bytes, as it was at construction.
    std::uint64_t TotalMemory() const noexcept { return total_memory_; }
    // Free physical memory in bytes, read from the system on every call.
    std::uint64_t FreeMemory() const;
    // The blocks the last run got from the system: 0 after a run that could do nothing at all.
    std::int32_t BlocksObtained() const noexcept { return obtained_; }

    // One run, synchronously. A call while a run is in progress (from OnBeforeDefrag, OnProgress or
    // anything they let run) does nothing; a call from OnAfterDefrag runs in full. SizeMB is limited
    // to MaxBlocks; 0 or below runs no blocks. A block the system refuses is skipped: it still counts
    // as a step of both phases, so the progress values are the same as for a run that got every block.
    // An exception from a handler ends the run early: every block obtained is released, Busy is
    // cleared and OnAfterDefrag raised, then the exception goes on to the caller.
    void RunDefrag(std::int32_t SizeMB);

    std::function<void(TMaxMem& sender)> OnBeforeDefrag;
    std::function<void(TMaxMem& sender, std::int32_t progress)> OnProgress;
    std::function<void(TMaxMem& sender)> OnAfterDefrag;

private:
    MemoryBlocks& blocks_;
    MemoryStatusSource& status_;
    std::uint64_t total_memory_;
    bool busy_ = false;
    std::int32_t obtained_ = 0;
};

// Done / Steps x 100 in the 80-bit extended format, rounded to the nearest integer with halves to even:
// step 59 of 200 gives 29 (59/200 rounds just below 0.295), step 23 of 40 gives 58 (an exact 57.5).
// With Steps = 2 x Count the last filling step is exactly 50 and the last step exactly 100.
std::int32_t ProgressPercent(std::int32_t done, std::int32_t steps);

} // namespace qv::optimizer
