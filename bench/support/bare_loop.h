#pragma once
// The reference of the optimizer's benchmarks: the plainest loop that commits, writes and releases
// blocks of 1 MiB as a run does.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::bench {

inline constexpr std::size_t kBlockBytes = 1048576;

// Commits `blocks` blocks, writes every word of each, then releases them all; how many blocks the
// system gave (a refused block is skipped, as a run skips it).
inline int bare_loop(int blocks) {
    std::vector<void*> table(static_cast<std::size_t>(blocks), nullptr);
    int obtained = 0;
    for (void*& block : table) {
        block = ::VirtualAlloc(nullptr, kBlockBytes, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
        if (!block) continue;
        ++obtained;
        auto* word = static_cast<volatile std::uint32_t*>(block);
        for (std::size_t i = 0; i < kBlockBytes / sizeof(std::uint32_t); ++i)
            word[i] = 0;
    }
    for (void* block : table) {
        if (block) ::VirtualFree(block, 0, MEM_RELEASE);
    }
    return obtained;
}

} // namespace qv::bench
