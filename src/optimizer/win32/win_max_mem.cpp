#include "optimizer/win32/win_max_mem.h"

#include <windows.h>

namespace qv::optimizer::win32 {

void* VirtualMemoryBlocks::commit(std::size_t bytes) {
    // No address: the system reserves and commits a new region wherever it chooses. Uncached, so that
    // the writes reach physical memory.
    return ::VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
}

void VirtualMemoryBlocks::release(void* block) noexcept { ::VirtualFree(block, 0, MEM_RELEASE); }

} // namespace qv::optimizer::win32
