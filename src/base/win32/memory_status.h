#pragma once
// The memory status of the running system: GlobalMemoryStatusEx where kernel32 has it (found at run
// time, so that the program still starts where it is missing), GlobalMemoryStatus otherwise.
#include <windows.h>

#include "base/memory_status.h"

namespace qv::win {

class SystemMemoryStatus : public MemoryStatusSource {
public:
    SystemMemoryStatus() noexcept;
    MemoryStatus memory_status() override;

private:
    using StatusExFunction = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    StatusExFunction status_ex_ = nullptr;
};

} // namespace qv::win
