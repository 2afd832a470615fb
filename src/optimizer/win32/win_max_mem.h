#pragma once
// The optimizer on the running system: blocks from VirtualAlloc (MEM_COMMIT, PAGE_READWRITE |
// PAGE_NOCACHE), released with VirtualFree (MEM_RELEASE), and the system's memory status.
//
//     optimizer::win32::WinMaxMem MaxMem1;   // a member of the main window
//     MaxMem1.OnProgress = [this](optimizer::TMaxMem&, std::int32_t progress) { ... };
//     MaxMem1.RunDefrag(amount_mb);
#include "base/win32/memory_status.h"
#include "optimizer/max_mem.h"

namespace qv::optimizer::win32 {

class VirtualMemoryBlocks : public MemoryBlocks {
public:
    void* commit(std::size_t bytes) override;
    void release(void* block) noexcept override;
};

namespace detail {
// Constructed before the TMaxMem base that uses it.
struct WinMaxMemSystem {
    VirtualMemoryBlocks blocks;
    win::SystemMemoryStatus status;
};
} // namespace detail

class WinMaxMem : private detail::WinMaxMemSystem, public TMaxMem {
public:
    WinMaxMem() : TMaxMem(blocks, status) {}
};

} // namespace qv::optimizer::win32
