#pragma once
// Memory this process takes and writes for as long as it lives: the free physical memory the program
// shows drops by that much, so that a scenario can make the display change when it should.
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace qv::test {

class MemoryLoad {
public:
    explicit MemoryLoad(size_t megabytes)
        : size_(megabytes << 20), block_(::VirtualAlloc(nullptr, size_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)) {
        if (block_) std::memset(block_, 0x5A, size_);
    }
    MemoryLoad(const MemoryLoad&) = delete;
    MemoryLoad& operator=(const MemoryLoad&) = delete;
    ~MemoryLoad() {
        if (block_) ::VirtualFree(block_, 0, MEM_RELEASE);
    }

    bool held() const noexcept { return block_ != nullptr; }

private:
    size_t size_;
    void* block_;
};

} // namespace qv::test
